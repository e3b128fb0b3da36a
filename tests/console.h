// Test helpers that run game code against scripted standard input and capture
// standard output, in-process: the std::cin and std::cout buffers are swapped
// for string streams and everything is restored when the helper goes away.

#ifndef QUORBIX_TESTS_CONSOLE_H_
#define QUORBIX_TESTS_CONSOLE_H_

#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

class Console {
 public:
  explicit Console(const std::string& input = "") : in(input) {
    savedIn = std::cin.rdbuf(in.rdbuf());
    savedOut = std::cout.rdbuf(out.rdbuf());
    savedInFlags = std::cin.flags();
    savedOutFlags = std::cout.flags();
    savedFill = std::cout.fill();
    std::cin.clear();
  }
  ~Console() {
    std::cin.rdbuf(savedIn);
    std::cout.rdbuf(savedOut);
    std::cin.flags(savedInFlags);
    std::cout.flags(savedOutFlags);
    std::cout.fill(savedFill);
    std::cin.clear();
  }
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  // Everything written so far.
  std::string output() const { return out.str(); }
  // Everything written so far, then forgets it.
  std::string take() {
    std::string text = out.str();
    out.str("");
    return text;
  }
  // The input not read yet.
  std::string unread() {
    std::string rest;
    std::getline(in, rest, '\0');
    return rest;
  }

 private:
  std::istringstream in;
  std::ostringstream out;
  std::streambuf* savedIn;
  std::streambuf* savedOut;
  std::ios_base::fmtflags savedInFlags;
  std::ios_base::fmtflags savedOutFlags;
  char savedFill;
};

// The faces the next `count` draws of a generator seeded with `seed` give.
inline std::vector<int> facesAfterSeed(unsigned seed, int count) {
  std::srand(seed);
  std::vector<int> faces;
  for (int i = 0; i < count; ++i) faces.push_back(std::rand() % 6 + 1);
  std::srand(seed);
  return faces;
}

// How many times `part` occurs in `text`, overlaps included.
inline int countOf(const std::string& text, const std::string& part) {
  int n = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// The hand line for five faces.
inline std::string handLine(const std::vector<int>& faces) {
  std::string line;
  for (int face : faces) line += "   |   " + std::to_string(face);
  return line + "   |\n";
}

#endif  // QUORBIX_TESTS_CONSOLE_H_
