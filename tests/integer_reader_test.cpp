#include "text/integer_reader.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>
#include <string>

#include "console.h"

namespace {

struct Read {
  IntegerRead outcome;
  int value;         // Meaningful for kValue only.
  std::string rest;  // What the stream still holds afterwards.
};

// What the int holds before a read; only a number may replace it.
const int kUntouched = -12345;

Read readFrom(const std::string& input) {
  std::istringstream in(input);
  Read r{IntegerRead::kEnded, kUntouched, ""};
  r.outcome = readInteger(in, r.value);
  in.clear();
  r.rest = rest(in);
  return r;
}

void expectRead(const std::string& input, IntegerRead outcome, int value, const std::string& left) {
  const Read r = readFrom(input);
  EXPECT_EQ(outcome, r.outcome) << "input '" << input << "'";
  EXPECT_EQ(outcome == IntegerRead::kValue ? value : kUntouched, r.value)
      << "input '" << input << "'";
  EXPECT_EQ(left, r.rest) << "input '" << input << "'";
}

TEST(IntegerReaderTest, PrefixSelectsTheBaseAndTheFirstForeignCharacterStays) {
  expectRead("  \n\t13 x", IntegerRead::kValue, 13, " x");
  expectRead("010", IntegerRead::kValue, 8, "");
  expectRead("0xD", IntegerRead::kValue, 13, "");
  expectRead("0x0D", IntegerRead::kValue, 13, "");
  expectRead("0X0d", IntegerRead::kValue, 13, "");
  expectRead("-0x1f", IntegerRead::kValue, -31, "");
  expectRead("0XABCDEF", IntegerRead::kValue, 0xABCDEF, "");
  expectRead("0xabcdef", IntegerRead::kValue, 0xABCDEF, "");
  expectRead("0x9Ag", IntegerRead::kValue, 0x9A, "g");
  expectRead("12A", IntegerRead::kValue, 12, "A");
  expectRead("07a", IntegerRead::kValue, 7, "a");
  expectRead("08", IntegerRead::kValue, 0, "8");
  expectRead("09", IntegerRead::kValue, 0, "9");
  expectRead("00x5", IntegerRead::kValue, 0, "x5");
  expectRead("0", IntegerRead::kValue, 0, "");
  expectRead("-0", IntegerRead::kValue, 0, "");
  expectRead("+0", IntegerRead::kValue, 0, "");
  expectRead("+7", IntegerRead::kValue, 7, "");
  expectRead("5abc", IntegerRead::kValue, 5, "abc");
  expectRead("10abc", IntegerRead::kValue, 10, "abc");
  expectRead("1.5", IntegerRead::kValue, 1, ".5");
  expectRead("0x1g", IntegerRead::kValue, 1, "g");
  expectRead(std::string(40, '0') + "12", IntegerRead::kValue, 10, "");  // Octal, long zeros.
}

TEST(IntegerReaderTest, NoDigitFailsAfterTakingTheSignOrPrefix) {
  expectRead("-", IntegerRead::kNoDigits, 0, "");
  expectRead("+", IntegerRead::kNoDigits, 0, "");
  expectRead("- 5", IntegerRead::kNoDigits, 0, " 5");
  expectRead("x5", IntegerRead::kNoDigits, 0, "x5");
  expectRead(".5", IntegerRead::kNoDigits, 0, ".5");
  expectRead("--5", IntegerRead::kNoDigits, 0, "-5");
  expectRead("+-3", IntegerRead::kNoDigits, 0, "-3");
  expectRead("0x", IntegerRead::kNoDigits, 0, "");
  expectRead("0XZ", IntegerRead::kNoDigits, 0, "Z");
  expectRead("0xx1", IntegerRead::kNoDigits, 0, "x1");
  expectRead("abc", IntegerRead::kNoDigits, 0, "abc");
  expectRead("\xff", IntegerRead::kNoDigits, 0, "\xff");
}

TEST(IntegerReaderTest, ValuesBeyondAnIntFailAfterAllTheirDigits) {
  expectRead("2147483647 ", IntegerRead::kValue, INT_MAX, " ");
  expectRead("-2147483648 ", IntegerRead::kValue, INT_MIN, " ");
  expectRead("0x7fffffff", IntegerRead::kValue, INT_MAX, "");
  expectRead("-020000000000", IntegerRead::kValue, INT_MIN, "");
  expectRead("2147483648 1", IntegerRead::kOutOfRange, 0, " 1");
  expectRead("-2147483649 1", IntegerRead::kOutOfRange, 0, " 1");
  expectRead("99999999999x", IntegerRead::kOutOfRange, 0, "x");
  expectRead("0x100000000", IntegerRead::kOutOfRange, 0, "");
  expectRead("020000000000", IntegerRead::kOutOfRange, 0, "");
  expectRead("0100000000000", IntegerRead::kOutOfRange, 0, "");  // 12 octal digits.
  expectRead("0x100000001", IntegerRead::kOutOfRange, 0, "");
  for (int digits = 10; digits <= 40; ++digits) {
    expectRead(std::string(digits, '9') + "z", IntegerRead::kOutOfRange, 0, "z");
    expectRead("-" + std::string(digits, '7') + " ", IntegerRead::kOutOfRange, 0, " ");
    expectRead("-0x" + std::string(digits - 2, 'f'), IntegerRead::kOutOfRange, 0, "");
  }
}

#ifdef QUORBIX_LIMIT_TESTS
// More digits than an int can count: 2^31 + 16 of them, generated as they are
// read. Built only into the optimised builds that check the game as released, where this takes
// seconds, not the minutes it would take under the sanitizers.
TEST(IntegerReaderReleaseOnlyTest, MoreDigitsThanAnIntCanCountAreAllTakenAndOutOfRange) {
  const unsigned long long digits = (1ULL << 31) + 16;
  const std::string after(" 7\0x", 4);
  for (const char* sign : {"", "-"}) {
    GeneratedBuffer buffer(sign, '1', digits, after);
    std::istream in(&buffer);
    int value = kUntouched;
    EXPECT_EQ(IntegerRead::kOutOfRange, readInteger(in, value)) << sign;
    EXPECT_EQ(kUntouched, value);
    EXPECT_EQ(after, rest(in)) << sign;
  }
}
#endif

TEST(IntegerReaderTest, OnlyWhitespaceMeansInputEnded) {
  for (const char* input : {"", " ", "\n\n\t \r\v\f"}) {
    std::istringstream in(input);
    int value = 77;
    EXPECT_EQ(IntegerRead::kEnded, readInteger(in, value)) << input;
    EXPECT_EQ(77, value);
    EXPECT_TRUE(in.eof() && in.fail());
  }
  std::istringstream in("5");  // A number that ends the input is read, and marks the end.
  int value = 0;
  EXPECT_EQ(IntegerRead::kValue, readInteger(in, value));
  EXPECT_TRUE(in.eof());
  EXPECT_FALSE(in.fail());
  EXPECT_EQ(IntegerRead::kEnded, readInteger(in, value));
}

TEST(IntegerReaderTest, StreamWithoutABufferHasEnded) {
  std::istream in(nullptr);
  int value = 3;
  EXPECT_EQ(IntegerRead::kEnded, readInteger(in, value));
  discardWord(in);
  EXPECT_EQ(3, value);
}

TEST(IntegerReaderTest, DiscardWordStopsAtWhitespaceOrTheEnd) {
  std::istringstream in("abc def");
  discardWord(in);
  EXPECT_EQ(' ', in.peek());
  std::istringstream last("xyz");
  discardWord(last);
  EXPECT_TRUE(last.eof());
  EXPECT_FALSE(last.fail());
}

#if defined(__GLIBCXX__)
// libstdc++'s own extraction follows the same rule; on that library every
// short word over an alphabet of the characters that matter must read alike.
TEST(IntegerReaderTest, AgreesWithLibstdcxxOnEveryShortWord) {
  const std::string alphabet = "0178aFxX+- .";
  const int size = static_cast<int>(alphabet.size());
  int words = 0;
  for (int length = 1; length <= 5; ++length) {
    int count = 1;
    for (int i = 0; i < length; ++i) count *= size;
    for (int n = 0; n < count; ++n) {
      std::string word;
      for (int i = 0, k = n; i < length; ++i, k /= size) word += alphabet[k % size];
      std::istringstream model(word);
      model.unsetf(std::ios_base::basefield);
      int expected = 0;
      model >> expected;
      const bool failed = model.fail();
      const bool ended = failed && model.eof() && word.find_first_not_of(" ") == std::string::npos;
      model.clear();
      const std::string modelRest = rest(model);

      const Read r = readFrom(word);
      ASSERT_EQ(modelRest, r.rest) << "word '" << word << "'";
      if (ended) {
        ASSERT_EQ(IntegerRead::kEnded, r.outcome) << "word '" << word << "'";
      } else if (failed) {
        ASSERT_EQ(IntegerRead::kNoDigits, r.outcome) << "word '" << word << "'";
      } else {
        ASSERT_EQ(IntegerRead::kValue, r.outcome) << "word '" << word << "'";
        ASSERT_EQ(expected, r.value) << "word '" << word << "'";
      }
      ++words;
    }
  }
  EXPECT_GT(words, 200000);
}
#endif

}  // namespace
