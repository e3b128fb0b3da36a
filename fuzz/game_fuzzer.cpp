// Plays a whole game in-process with the fuzz input as standard input and
// standard output thrown away. Every input must end the game, with status 0
// or 1, without a crash, a sanitizer report or a leak.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <streambuf>
#include <string>

#include "game/game.h"

namespace {

// A stream buffer that accepts and discards everything.
class NullBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type c) override {
    setp(sink, sink + sizeof(sink));
    return traits_type::not_eof(c);
  }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }

 private:
  char sink[4096];
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
  NullBuffer output;
  std::streambuf* savedIn = std::cin.rdbuf(input.rdbuf());
  std::streambuf* savedOut = std::cout.rdbuf(&output);
  const std::ios_base::fmtflags inFlags = std::cin.flags();
  const std::ios_base::fmtflags outFlags = std::cout.flags();
  const char fill = std::cout.fill();
  std::cin.clear();
  std::cout.clear();

  std::srand(1);
  const int status = playGame();

  std::cin.rdbuf(savedIn);
  std::cout.rdbuf(savedOut);
  std::cin.flags(inFlags);
  std::cout.flags(outFlags);
  std::cout.fill(fill);
  std::cin.clear();
  std::cout.clear();
  if (status != 0 && status != 1) std::abort();
  return 0;
}
