// The quorbix executable: seed the generator from the clock, then play.
#include <cstdlib>
#include <ctime>

int main() {
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  return 0;
}
