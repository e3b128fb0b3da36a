// The quorbix executable: seed the generator from the clock, then play.
// Command-line arguments are ignored.
#include <cstdlib>
#include <ctime>

#include "game/game.h"

int main() {
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  return playGame();
}
