#include "text/text_string.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iomanip>
#include <iterator>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <unordered_map>
#include <vector>

// Array allocations, which only String makes, are counted: every String's
// array must be exactly capacity + 1 characters, and none may outlive it.
namespace {
std::size_t liveArrayBytes = 0;
std::unordered_map<void*, std::size_t>& arraySizes() {
  static std::unordered_map<void*, std::size_t> sizes;
  return sizes;
}
}  // namespace

void* operator new[](std::size_t size) {
  void* p = ::operator new(size);
  arraySizes()[p] = size;
  liveArrayBytes += size;
  return p;
}
void operator delete[](void* p) noexcept {
  const auto found = arraySizes().find(p);
  if (found != arraySizes().end()) {
    liveArrayBytes -= found->second;
    arraySizes().erase(found);
  }
  ::operator delete(p);
}
void operator delete[](void* p, std::size_t) noexcept { operator delete[](p); }

namespace {

std::string text(const String& s) {
  std::ostringstream out;
  out << s;
  return out.str();
}

TEST(StringTest, CapacityFollowsHowTheStringWasMade) {
  EXPECT_EQ(255, String().getCapacity());
  EXPECT_EQ(9, String("no player").getCapacity());
  EXPECT_EQ(0, String("").getCapacity());
  String answer;
  answer += "10100";
  const String copy(answer);
  EXPECT_EQ(5, copy.getCapacity());
  EXPECT_EQ("10100", text(copy));
}

TEST(StringTest, AssignmentTakesTheSourceCapacity) {
  String target;
  target = String("no player");
  EXPECT_EQ(9, target.getCapacity());
  target = String("Computer");  // Fits, but the capacities differ.
  EXPECT_EQ(8, target.getCapacity());
  EXPECT_EQ("Computer", text(target));

  String other("abcdefgh");
  target = other;
  other += 'X';  // Separate arrays: changing one leaves the other.
  EXPECT_EQ("abcdefgh", text(target));
  const String& same = target;  // A reference, so no compiler warns of self-assignment.
  target = same;
  EXPECT_EQ("abcdefgh", text(target));
}

TEST(StringTest, SubstringCutsOneCharacterOrNothing) {
  const String s("10100");
  EXPECT_EQ("1", text(s.substring(0, 1)));
  EXPECT_EQ(1, s.substring(0, 1).getCapacity());
  EXPECT_EQ("0", text(s.substring(4, 1)));
  EXPECT_EQ(0, s.substring(5, 1).getCapacity());
  EXPECT_EQ("", text(s.substring(7, 1)));
  EXPECT_EQ("100", text(s.substring(2, -1)));
  EXPECT_EQ("00", text(s.substring(3, 10)));
  EXPECT_EQ("", text(s.substring(0, 0)));
  EXPECT_EQ("10100", text(s));
}

TEST(StringTest, EqualityAndOrderCompareBytesNotCapacity) {
  const String one("1");
  EXPECT_TRUE(String("10100").substring(0, 1) == one);
  EXPECT_FALSE(String("10100").substring(1, 1) == one);
  EXPECT_TRUE(one != String());
  EXPECT_TRUE(one != String("10"));
  EXPECT_TRUE(String("abc") < String("abd"));
  EXPECT_TRUE(String("ab") < String("abc"));
  EXPECT_TRUE(String("\x80") > String("z"));
  EXPECT_TRUE(String("ab") <= String("ab"));
  EXPECT_TRUE(String("ab") >= String("ab"));
}

TEST(StringTest, WordExtractionTakesWholeWordsAndFailsAtEnd) {
  std::istringstream in("two words\n");
  String s;
  in >> s;
  EXPECT_EQ("two", text(s));
  in >> s;
  EXPECT_EQ("words", text(s));
  EXPECT_EQ(255, s.getCapacity());
  EXPECT_FALSE(in >> s);
  EXPECT_EQ("words", text(s));

  std::istringstream last("end");  // A word at end of input is still read.
  EXPECT_TRUE(last >> s);
  EXPECT_EQ("end", text(s));
}

TEST(StringTest, LongWordGrowsTheArrayToExactlyItsLength) {
  const std::string word(1000, 'x');
  std::istringstream in(word + " next");
  String s("no player");
  in >> s;
  EXPECT_EQ(word, text(s));
  EXPECT_EQ(1000, s.getCapacity());
  in >> s;
  EXPECT_EQ("next", text(s));
  EXPECT_EQ(1000, s.getCapacity());
}

TEST(StringTest, InsertionHonoursWidthFillAndAdjustment) {
  std::ostringstream out;
  out << std::left << std::setw(30) << std::setfill('_') << String("Aces") << 7;
  EXPECT_EQ("Aces" + std::string(26, '_') + "7", out.str());
  std::ostringstream right;
  right << std::setw(6) << String("ab");
  EXPECT_EQ("    ab", right.str());
}

TEST(StringTest, SearchesFindCharactersAndPatterns) {
  const String s("hello");
  EXPECT_EQ(2, s.find('l', 0));
  EXPECT_EQ(3, s.find('l', 3));
  EXPECT_EQ(-1, s.find('z', 0));
  EXPECT_EQ(-1, s.find('h', -1));
  EXPECT_EQ(-1, s.find('o', 9));
  EXPECT_EQ(3, s.findLast('l'));
  EXPECT_EQ(-1, s.findLast('z'));
  EXPECT_EQ(-1, String("").findLast('a'));
  EXPECT_EQ(3, s.find("lo", 0));  // Ends on the last character.
  EXPECT_EQ(0, s.find(String("hello"), 0));
  EXPECT_EQ(-1, s.find("hello!", 0));
  EXPECT_EQ(2, s.find("", 2));
  EXPECT_EQ(-1, s.find("l", 4));
}

TEST(StringTest, EraseAndInsertEditInPlaceOrGrowExactly) {
  const char* cases[][3] = {
      {"1", "2", "adef"}, {"1", "5", "a"}, {"1", "-1", "a"}, {"1", "9", "a"}, {"6", "1", "abcdef"}};
  for (const auto& c : cases) {
    String s("abcdef");
    s.erase(std::stoi(c[0]), std::stoi(c[1]));
    EXPECT_EQ(c[2], text(s));
    EXPECT_EQ(6, s.getCapacity());
  }
  String abc("abc");
  abc.insert(1, String("XY"));
  EXPECT_EQ("aXYbc", text(abc));
  EXPECT_EQ(5, abc.getCapacity());
  String roomy(10);
  roomy += "abc";
  roomy.insert(3, String("XY"));
  EXPECT_EQ("abcXY", text(roomy));
  EXPECT_EQ(10, roomy.getCapacity());
  roomy.insert(0, roomy);
  EXPECT_EQ("abcXYabcXY", text(roomy));
}

TEST(StringTest, AppendingGrowsToExactlyTheNewLength) {
  String s("ab");
  s += 'c';
  EXPECT_EQ(3, s.getCapacity());
  s += String("de");
  s.append(String("f"));
  EXPECT_EQ("abcdef", text(s));
  EXPECT_EQ(6, s.getCapacity());
  s += s;
  EXPECT_EQ("abcdefabcdef", text(s));
  char* copy = s.toCString();
  EXPECT_STREQ("abcdefabcdef", copy);
  delete[] copy;
}

TEST(StringTest, ReadLineStopsAtCapacityMinusOne) {
  std::istringstream in("abcdefg\nab\n");
  String s(5);
  EXPECT_TRUE(readLine(in, s));
  EXPECT_EQ("abcd", text(s));
  std::string rest;
  std::getline(in, rest);
  EXPECT_EQ("efg", rest);
  EXPECT_TRUE(readLine(in, s));
  EXPECT_EQ("ab", text(s));
  EXPECT_FALSE(readLine(in, s));
  EXPECT_EQ("", text(s));

  // A stream that has already failed gives nothing and keeps its line.
  std::istringstream failed("abc\n");
  failed.setstate(std::ios_base::failbit);
  String kept("xyz");
  EXPECT_FALSE(readLine(failed, kept));
  EXPECT_EQ("", text(kept));
  failed.clear();
  EXPECT_EQ("abc\n", std::string(std::istreambuf_iterator<char>(failed), {}));

  // With no room at all, nothing is read and the stream is left as it was.
  for (const char* input : {"", "\n", "x\n"}) {
    std::istringstream rest(input);
    String none(0);
    EXPECT_TRUE(readLine(rest, none)) << input;
    EXPECT_EQ(input, std::string(std::istreambuf_iterator<char>(rest), {})) << input;
  }
}

}  // namespace

// A String checked side by side against a model: std::string for the text and
// the capacity rules written out on their own.
namespace {

struct Model {
  std::string text;
  int capacity;
  // Growth: an array too small is replaced by one of exactly the new length.
  void grown() { capacity = std::max(capacity, static_cast<int>(text.size())); }
};

class StringDifferentialTest : public ::testing::Test {
 protected:
  static constexpr int kPool = 4;

  unsigned next(unsigned n) { return static_cast<unsigned>(rng() % n); }
  int pick(int low, int high) { return low + static_cast<int>(next(high - low + 1)); }
  char someChar() { return "abcXY 01\t\x80\xff"[next(11)]; }
  std::string someText(int maxLength) {
    std::string t;
    for (int n = pick(0, maxLength); n > 0; --n) t += someChar();
    return t;
  }
  // Input for the readers: words, runs of every kind of whitespace, line
  // breaks, and sometimes nothing at all.
  std::string someInput() {
    std::string t;
    for (int n = pick(0, 12); n > 0; --n) {
      const char* pieces[] = {"ab", "xyz", " ", "\t", "\n", "\r", "\v", "\f", "abcdefgh", "\n\n"};
      t += pieces[next(10)];
    }
    return t;
  }

  void expectSame(int i, const std::string& step) {
    ASSERT_EQ(model[i].text, text(*pool[i])) << step;
    ASSERT_EQ(static_cast<int>(model[i].text.size()), pool[i]->length()) << step;
    ASSERT_EQ(model[i].capacity, pool[i]->getCapacity()) << step;
  }

  // Both readers see the same input; states and what is left must agree.
  static void expectSameStreams(std::istringstream& a, std::istringstream& b,
                                const std::string& step) {
    ASSERT_EQ(a.rdstate(), b.rdstate()) << step;
    a.clear();
    b.clear();
    std::string restA, restB;
    std::getline(a, restA, '\0');
    std::getline(b, restB, '\0');
    ASSERT_EQ(restB, restA) << step;
  }

  void step(int number) {
    const int i = pick(0, kPool - 1);
    const int j = pick(0, kPool - 1);
    String& s = *pool[i];
    Model& m = model[i];
    const int len = static_cast<int>(m.text.size());
    const int op = pick(0, 20);
    const std::string at = "step " + std::to_string(number) + ", operation " + std::to_string(op);
    switch (op) {
      case 0:
        pool[i] = std::make_unique<String>();
        m = {"", 255};
        break;
      case 1: {
        const int n = pick(-2, 20);
        pool[i] = std::make_unique<String>(n);
        m = {"", std::max(n, 0)};
        break;
      }
      case 2: {
        const std::string t = someText(12);
        pool[i] = std::make_unique<String>(t.c_str());
        m = {t, static_cast<int>(t.size())};
        break;
      }
      case 3: {
        auto copy = std::make_unique<String>(*pool[j]);
        pool[i] = std::move(copy);
        m = {model[j].text, static_cast<int>(model[j].text.size())};
        break;
      }
      case 4:
        s = *pool[j];
        m = model[j];
        break;
      case 5:
      case 8: {
        const std::string added = model[j].text;  // Also when j is i itself.
        if (op == 5) {
          s += *pool[j];
        } else {
          s.append(*pool[j]);
        }
        m.text += added;
        m.grown();
        break;
      }
      case 6: {
        const std::string t = someText(8);
        s += t.c_str();
        m.text += t;
        m.grown();
        break;
      }
      case 7: {
        const char c = next(8) == 0 ? '\0' : someChar();
        s += c;
        if (c != '\0') m.text += c;  // A zero character cannot be held.
        m.grown();
        break;
      }
      case 9: {
        const int pos = pick(-2, len + 2);
        const std::string added = model[j].text;
        s.insert(pos, *pool[j]);
        m.text.insert(static_cast<std::size_t>(std::min(std::max(pos, 0), len)), added);
        m.grown();
        break;
      }
      case 10: {
        const int pos = pick(-2, len + 2);
        const int count = pick(-2, len + 2);
        s.erase(pos, count);
        if (pos >= 0 && pos <= len && count >= -1) {
          m.text.erase(static_cast<std::size_t>(pos),
                       count == -1 ? std::string::npos : static_cast<std::size_t>(count));
        }
        break;
      }
      case 11: {
        const int start = pick(-2, len + 2);
        const int count = pick(-2, len + 2);
        const String cut = s.substring(start, count);
        std::string expected;
        if (start >= 0 && start < len && count >= -1) {
          expected =
              m.text.substr(static_cast<std::size_t>(start),
                            count == -1 ? std::string::npos : static_cast<std::size_t>(count));
        }
        ASSERT_EQ(expected, text(cut)) << at;
        ASSERT_EQ(static_cast<int>(expected.size()), cut.getCapacity()) << at;
        break;
      }
      case 12: {
        const char c = next(4) == 0 ? '\0' : someChar();  // The terminator is not text.
        const int start = pick(-2, len + 2);
        const std::size_t found = start < 0 ? std::string::npos : m.text.find(c, start);
        ASSERT_EQ(found == std::string::npos ? -1 : static_cast<int>(found), s.find(c, start))
            << at;
        const std::size_t last = m.text.rfind(c);
        ASSERT_EQ(last == std::string::npos ? -1 : static_cast<int>(last), s.findLast(c)) << at;
        break;
      }
      case 13: {
        // A pattern taken from the text itself, or another String's text.
        const std::string pattern =
            next(2) == 0 && len > 0 ? m.text.substr(next(len), next(4)) : model[j].text;
        const int start = pick(-2, len + 2);
        const std::size_t found = start < 0 ? std::string::npos : m.text.find(pattern, start);
        const int expected = found == std::string::npos ? -1 : static_cast<int>(found);
        ASSERT_EQ(expected, s.find(pattern.c_str(), start)) << at << " pattern " << pattern;
        ASSERT_EQ(expected, s.find(String(pattern.c_str()), start)) << at;
        break;
      }
      case 14: {
        const std::string& a = m.text;
        const std::string& b = model[j].text;
        const String& t = *pool[j];
        ASSERT_EQ(a == b, s == t) << at;
        ASSERT_EQ(a != b, s != t) << at;
        ASSERT_EQ(a < b, s < t) << at;
        ASSERT_EQ(a <= b, s <= t) << at;
        ASSERT_EQ(a > b, s > t) << at;
        ASSERT_EQ(a >= b, s >= t) << at;
        break;
      }
      case 15: {
        char* copy = s.toCString();
        ASSERT_EQ(m.text, std::string(copy)) << at;
        // The caller's array has room for the whole capacity, and no more.
        ASSERT_EQ(static_cast<std::size_t>(m.capacity) + 1, arraySizes()[copy]) << at;
        delete[] copy;
        break;
      }
      case 16: {
        // Filling a String to its capacity writes its last array element.
        for (int n = m.capacity - len; n > 0; --n) s += 'f';
        m.text.append(static_cast<std::size_t>(m.capacity - len), 'f');
        break;
      }
      case 17: {
        const std::string input = someInput();
        std::istringstream in(input), modelIn(input);
        if (next(3) == 0) {
          in >> std::noskipws;
          modelIn >> std::noskipws;
        }
        for (int reads = pick(1, 3); reads > 0; --reads) {
          const int width = next(2) == 0 ? 0 : pick(1, 6);
          in.width(width);
          modelIn.width(width);
          std::vector<char> word(input.size() + 1, '\0');
          in >> s;
          modelIn >> word.data();  // Extraction into a character array.
          if (modelIn) {
            m.text = word.data();
            m.grown();
          }
          ASSERT_EQ(modelIn.width(), in.width()) << at;
        }
        expectSameStreams(in, modelIn, at);
        break;
      }
      case 18: {
        // A line read into the array: at most capacity - 1 characters; a
        // longer line stays in the stream without failing it.
        const std::string input = someInput();
        std::istringstream in(input), modelIn(input);
        for (int reads = pick(1, 3); reads > 0; --reads) {
          readLine(in, s);
          if (m.capacity > 0) {
            std::vector<char> line(static_cast<std::size_t>(m.capacity), '\0');
            modelIn.getline(line.data(), m.capacity);
            const bool cut = modelIn.fail() && !modelIn.eof() &&
                             modelIn.gcount() == static_cast<std::streamsize>(m.capacity - 1);
            if (cut) modelIn.clear(modelIn.rdstate() & ~std::ios_base::failbit);
            m.text = line.data();
          }
        }
        expectSameStreams(in, modelIn, at);
        break;
      }
      case 19: {
        const int width = pick(0, 20);
        std::ostringstream out, modelOut;
        for (std::ostream* o :
             {static_cast<std::ostream*>(&out), static_cast<std::ostream*>(&modelOut)}) {
          if (width % 2 == 0) *o << std::left;
          *o << std::setfill('_') << std::setw(width);
        }
        out << s << 7;
        modelOut << m.text << 7;
        ASSERT_EQ(modelOut.str(), out.str()) << at;
        break;
      }
      default: break;
    }
    expectSame(i, at);
  }

  std::mt19937 rng{20261208};
  std::unique_ptr<String> pool[kPool] = {std::make_unique<String>(), std::make_unique<String>(),
                                         std::make_unique<String>(), std::make_unique<String>()};
  Model model[kPool] = {{"", 255}, {"", 255}, {"", 255}, {"", 255}};
};

TEST_F(StringDifferentialTest, RandomOperationsAgreeWithTheModel) {
  // What is allocated besides the pool's arrays stays as it is.
  std::size_t others = liveArrayBytes;
  for (const Model& m : model) others -= static_cast<std::size_t>(m.capacity) + 1;
  for (int n = 0; n < 20000; ++n) {
    step(n);
    if (HasFatalFailure()) return;
    std::size_t arrays = others;
    for (const Model& m : model) arrays += static_cast<std::size_t>(m.capacity) + 1;
    ASSERT_EQ(arrays, liveArrayBytes) << "after step " << n;
  }
}

}  // namespace
