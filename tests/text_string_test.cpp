#include "text/text_string.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>
#include <string>

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
}

}  // namespace
