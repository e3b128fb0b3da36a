// The quorbix executable: seed the generator from the clock, then play.
// Command-line arguments are ignored.
#include <cstdlib>
#include <ctime>

#include "game/game.h"

int main() {
  // Seeded from the clock: a new deal every second, by the game's rule.
  std::srand(static_cast<unsigned>(std::time(nullptr)));  // NOLINT(cert-msc32-c,cert-msc51-cpp)
  return playGame();
}
