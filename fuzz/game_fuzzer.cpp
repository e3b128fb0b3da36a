// Plays a whole game in-process with the fuzz input as standard input and the
// output captured, with the generator seeded to a fixed value. Every input
// must end the game, with status 0 or 1, without a crash, a sanitizer report
// or a leak. The console helper restores the streams' buffers, state and
// flags after each input.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "console.h"
#include "game/game.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  int status = 0;
  {
    Console console(std::string(reinterpret_cast<const char*>(data), size));
    std::srand(1);
    status = playGame();
  }
  if (status != 0 && status != 1) std::abort();
  return 0;
}
