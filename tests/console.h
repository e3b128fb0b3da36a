// Test helpers that run game code against scripted standard input and capture
// standard output and standard error, in-process: the std::cin, std::cout and
// std::cerr buffers are swapped for string buffers and everything is restored
// when the helper goes away.

#ifndef QUORBIX_TESTS_CONSOLE_H_
#define QUORBIX_TESTS_CONSOLE_H_

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <limits>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

// An output buffer that keeps what is written as a string and refuses every
// byte after the first `limit`, as a full disk does: the stream writing to it
// goes bad. A buffered one takes every byte at once and delivers them only
// when flushed, so only a flush can fail, as with a file.
class LimitedBuffer : public std::streambuf {
 public:
  explicit LimitedBuffer(std::size_t limit, bool buffered = false)
      : room(limit), buffered(buffered) {}

  std::string str() const { return text; }
  void str(const std::string& s) { text = s; }

 protected:
  // There is no put area, so every character arrives here.
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    pending.push_back(traits_type::to_char_type(c));
    if (buffered) return c;
    return sync() == 0 ? c : traits_type::eof();
  }
  int sync() override {
    const std::size_t taken = std::min(room, pending.size());
    text += pending.substr(0, taken);
    room -= taken;
    const bool all = taken == pending.size();
    pending.clear();
    return all ? 0 : -1;
  }

 private:
  std::size_t room;
  bool buffered;
  std::string pending;
  std::string text;
};

// An input buffer that yields `prefix`, then `count` copies of `fill`, then
// `suffix`, while holding only one block of them at a time: inputs of
// gigabytes in a few kilobytes of memory.
class GeneratedBuffer : public std::streambuf {
 public:
  GeneratedBuffer(std::string prefix, char fill, unsigned long long count, std::string suffix)
      : prefix(std::move(prefix)), fill(fill), count(count), suffix(std::move(suffix)) {}

 protected:
  int_type underflow() override {
    if (!prefix.empty()) {
      block.swap(prefix);
      prefix.clear();
    } else if (count > 0) {
      const unsigned long long n = std::min<unsigned long long>(count, 1 << 16);
      block.assign(static_cast<std::size_t>(n), fill);
      count -= n;
    } else if (!suffix.empty()) {
      block.swap(suffix);
      suffix.clear();
    } else {
      return traits_type::eof();
    }
    setg(&block[0], &block[0], &block[0] + block.size());
    return traits_type::to_int_type(block[0]);
  }

 private:
  std::string prefix;
  char fill;
  unsigned long long count;
  std::string suffix;
  std::string block;
};

// Everything `in` still holds, zero bytes included.
inline std::string rest(std::istream& in) {
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class Console {
 public:
  // Standard output takes at most `outputLimit` bytes and then fails, on the
  // write or (when `buffered`) on the next flush.
  explicit Console(const std::string& input = "",
                   std::size_t outputLimit = std::numeric_limits<std::size_t>::max(),
                   bool buffered = false)
      : in(input), out(outputLimit, buffered) {
    savedIn = std::cin.rdbuf(in.rdbuf());
    savedOut = std::cout.rdbuf(&out);
    savedErr = std::cerr.rdbuf(err.rdbuf());
    savedInFlags = std::cin.flags();
    savedOutFlags = std::cout.flags();
    savedFill = std::cout.fill();
    std::cin.clear();
  }
  ~Console() {
    std::cin.rdbuf(savedIn);
    std::cout.rdbuf(savedOut);
    std::cerr.rdbuf(savedErr);
    std::cout.clear();
    std::cin.flags(savedInFlags);
    std::cout.flags(savedOutFlags);
    std::cout.fill(savedFill);
    std::cout.width(0);  // A write that failed leaves its width set.
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
  // Everything written to standard error so far.
  std::string errors() const { return err.str(); }
  // The input not read yet, zero bytes included.
  std::string unread() {
    in.clear();
    return rest(in);
  }

 private:
  std::istringstream in;
  LimitedBuffer out;
  std::ostringstream err;
  std::streambuf* savedIn;
  std::streambuf* savedOut;
  std::streambuf* savedErr;
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
