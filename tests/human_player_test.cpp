#include "players/human_player.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "console.h"
#include "score_model.h"

namespace {

const char kPrompt[] = "Please Enter Your Name:  ";
const char kNoSuchCategory[] =
    "\n\nError: There is no such category, enter a number from 1 to 13.\n";
const std::vector<int> kEmptyCard(CATEGORY_COUNT, EMPTY_SCORE);
const char kFilled[] = "One category Successfully filled, proceeding to next hand......\n\n";

std::string banner(const std::string& name) {
  return "\n\n==========Now it's player " + name + " 's turn to start a new hand==========\n";
}

std::string chance(int number) {
  return "Reroll chance " + std::to_string(number) +
         ":\n"
         "How will you reroll this hand? Input 1 and 0 to choose dice.\n"
         "Example: If you want to reroll 1st and 3rd dice, input 10100\n"
         "         If you want to reroll 4th and 5th dice, input 00011\n"
         "         If you don't want to reroll, input 00000\n";
}

std::string finalHand(const std::vector<int>& faces) {
  return "\n\nYour final result of this hand is:\n" + handLine(faces);
}

// Each test seeds the generator, scripts the input and builds the player.
class HumanPlayerTest : public ::testing::Test {
 protected:
  // Standard output takes at most `outputLimit` bytes.
  void start(const std::string& input, int draws = 20,
             std::size_t outputLimit = std::string::npos) {
    player.reset();
    console.reset();  // Restore the real streams before swapping again.
    faces = facesAfterSeed(2024, draws);
    console = std::make_unique<Console>(input, outputLimit);
    player = std::make_unique<HumanPlayer>();
  }
  // The roll of the first hand, faces 5..9 (0..4 went to construction).
  std::vector<int> roll() const { return {faces.begin() + 5, faces.begin() + 10}; }
  // Plays a hand answered with no rerolls, then returns what follows.
  std::string choose() {
    EXPECT_TRUE(player->playHand());
    console->take();
    player->chooseCategory();
    return console->take();
  }
  // The heading, menu and prompt for `card` and the first hand's roll.
  std::string dialogue(const std::vector<int>& card) {
    return "\n\nWhich category will you fill in? \n\n" + modelMenu(card, roll()) +
           "\n\nEnter the number of an available category (1-13):\n";
  }

  std::vector<int> faces;
  std::unique_ptr<Console> console;
  std::unique_ptr<HumanPlayer> player;
};

TEST_F(HumanPlayerTest, HandWithTwoRerollsDrawsInPositionOrder) {
  for (const char* input : {"Alice\n10100\n00011\n", "Alice 10100 00011"}) {
    start(input);
    ASSERT_TRUE(player->playHand());
    std::vector<int> hand = roll();
    std::string expected = kPrompt + banner("Alice") + handLine(hand) + chance(1);
    hand[0] = faces[10];
    hand[2] = faces[11];
    expected += handLine(hand) + chance(2);
    hand[3] = faces[12];
    hand[4] = faces[13];
    expected += handLine(hand) + finalHand(hand);
    EXPECT_EQ(expected, console->take()) << "input: " << input;
  }
}

TEST_F(HumanPlayerTest, OnlyAOneInTheFirstFivePositionsRerolls) {
  start("Bo 1 0000011111 yes 2 abcde 11111 x\n", 26);
  for (int hand = 0; hand < 3; ++hand) ASSERT_TRUE(player->playHand());
  const std::vector<int>& f = faces;
  const std::string out = console->output();
  // "1" rerolls die 0 only; only the first five characters of a word count.
  EXPECT_NE(std::string::npos, out.find(finalHand({f[10], f[6], f[7], f[8], f[9]})));
  EXPECT_NE(std::string::npos, out.find(finalHand({f[11], f[12], f[13], f[14], f[15]})));
  EXPECT_NE(std::string::npos, out.find(finalHand({f[21], f[22], f[23], f[24], f[25]})));
  EXPECT_EQ(" x\n", console->unread());
}

TEST_F(HumanPlayerTest, SecondWordOfANameAnswersTheFirstChance) {
  start("Ann Lee\n00000\n");
  ASSERT_TRUE(player->playHand());
  EXPECT_EQ(kPrompt + banner("Ann") + handLine(roll()) + chance(1) + handLine(roll()) + chance(2) +
                handLine(roll()) + finalHand(roll()),
            console->output());
}

TEST_F(HumanPlayerTest, LongNameIsTakenWhole) {
  start("Maximiliana1 00000 00000");
  ASSERT_TRUE(player->playHand());
  EXPECT_NE(std::string::npos, console->output().find(banner("Maximiliana1")));
  console->take();
  player->printScoreCard();
  EXPECT_EQ(0u, console->output().find("Player Name: Maximiliana1\n"));
}

TEST_F(HumanPlayerTest, ChanceStoresTheSumOfTheFinalHand) {
  start("Al 00000 00000 13\n");
  const std::string out = choose();
  EXPECT_EQ(dialogue(kEmptyCard) + kFilled, out);
  int sum = 0;
  for (int face : roll()) sum += face;
  EXPECT_EQ(sum, player->getScore(12));
}

TEST_F(HumanPlayerTest, OccupiedCategoryIsRefusedAndAskedAgain) {
  start("Al 00000 00000 13\n1\n");
  player->fillCategory(12, 7);
  const std::string out = choose();
  std::vector<int> card = kEmptyCard;
  card[12] = 7;
  const std::string before = dialogue(card);
  EXPECT_EQ(before + "\n\nError: This category is already occupied, try other categories.\n" +
                before + kFilled,
            out);
  EXPECT_NE(std::string::npos, out.find("(13)- Chance........................"
                                        "Unavailable! A Score is already filled: 7"));
  EXPECT_EQ(7, player->getScore(12));
  EXPECT_NE(EMPTY_SCORE, player->getScore(0));
}

TEST_F(HumanPlayerTest, ChoiceNumberPrefixSelectsTheBase) {
  start("Al 00000 00000 010 00000 00000 0xD 00000 00000 5abc");
  choose();
  EXPECT_NE(EMPTY_SCORE, player->getScore(7));
  choose();
  EXPECT_NE(EMPTY_SCORE, player->getScore(12));
  choose();
  EXPECT_NE(EMPTY_SCORE, player->getScore(4));
  EXPECT_EQ("abc", console->unread());
}

// How one typed answer plays out at the category prompt, with "13" after it:
// the refusals it causes, the menu number filled and the input left unread.
struct ChoiceCase {
  const char* typed;
  int refusals;
  int filled;
  const char* unread;
};

TEST_F(HumanPlayerTest, ChoiceIsReadCharacterByCharacterByOneRule) {
  const ChoiceCase cases[] = {
      // Accepted numbers; the first character that cannot belong stays.
      {"010", 0, 8, " 13"},
      {"0xD", 0, 13, " 13"},
      {"0x0D", 0, 13, " 13"},
      {"0X0d", 0, 13, " 13"},
      {"5abc", 0, 5, "abc 13"},
      {"10abc", 0, 10, "abc 13"},
      // A word read as two numbers, or as a number and junk.
      {"08", 1, 8, " 13"},
      {"09", 1, 9, " 13"},
      {"00x5", 2, 13, ""},
      {"-0", 1, 13, ""},
      {"+0", 1, 13, ""},
      // No digit: what was taken is gone and the rest of the word discarded.
      {"-", 1, 13, ""},
      {"+", 1, 13, ""},
      {"x5", 1, 13, ""},
      {".5", 1, 13, ""},
      {"--5", 1, 13, ""},
      {"+-3", 1, 13, ""},
      {"0x", 1, 13, ""},
      {"0xg", 1, 13, ""},
      {"0XZ", 1, 13, ""},
      {"abc", 1, 13, ""},
      // Too large for an int, or fitting but outside 1 to 13.
      {"99999999999", 1, 13, ""},
      {"99999999999x", 1, 13, ""},
      {"0x100000000", 1, 13, ""},
      {"-2147483649", 1, 13, ""},
      {"2147483647", 1, 13, ""},
      {"-2147483648", 1, 13, ""},
  };
  for (const ChoiceCase& c : cases) {
    start(std::string("Al 00000 00000 ") + c.typed + " 13");
    const std::string out = choose();
    EXPECT_EQ(c.refusals, countOf(out, kNoSuchCategory)) << "typed: " << c.typed;
    EXPECT_EQ(1, countOf(out, kFilled)) << "typed: " << c.typed;
    for (int i = 0; i < CATEGORY_COUNT; ++i) {
      EXPECT_EQ(i == c.filled - 1, player->getScore(i) != EMPTY_SCORE)
          << "typed: " << c.typed << ", category " << i + 1;
    }
    EXPECT_EQ(c.unread, console->unread()) << "typed: " << c.typed;
  }
}

TEST_F(HumanPlayerTest, BadChoicesAreRefusedAndAskedAgain) {
  start("Al 00000 00000 0 -3 14 abc 99999999999 -2147483648 2\n");
  const std::string out = choose();
  EXPECT_EQ(6, countOf(out, kNoSuchCategory));
  EXPECT_EQ(7, countOf(out, "Which category will you fill in? "));
  EXPECT_EQ(1, countOf(out, kFilled));
  for (int i = 0; i < CATEGORY_COUNT; ++i) {
    EXPECT_EQ(i == 1, player->getScore(i) != EMPTY_SCORE) << "category " << i;
  }
}

TEST_F(HumanPlayerTest, EndOfInputStopsEachDialogue) {
  start("");
  EXPECT_TRUE(player->couldNotRead());
  EXPECT_EQ(kPrompt, console->output());

  start("Al 10100");
  EXPECT_FALSE(player->playHand());
  EXPECT_TRUE(player->couldNotRead());
  EXPECT_EQ(1, countOf(console->output(), chance(2)));
  EXPECT_EQ(0, countOf(console->output(), "Your final result"));

  start("Al 00000 00000 junk");
  EXPECT_TRUE(player->playHand());
  EXPECT_FALSE(player->chooseCategory());
  EXPECT_EQ(1, countOf(console->output(), kNoSuchCategory));
  for (int i = 0; i < CATEGORY_COUNT; ++i) EXPECT_EQ(EMPTY_SCORE, player->getScore(i));
}

TEST_F(HumanPlayerTest, ChoiceAtTheEndOfInputStopsTheTurn) {
  start("Al 00000 00000");
  EXPECT_TRUE(player->playHand());
  EXPECT_FALSE(player->couldNotRead());
  EXPECT_FALSE(player->chooseCategory());
  EXPECT_TRUE(player->couldNotRead());
}

TEST_F(HumanPlayerTest, FailedOutputStopsEachDialogueBeforeItReads) {
  const std::string prompt = kPrompt;
  start("Al 00000 00000 5", 20, prompt.size());  // Room for the name prompt only.
  EXPECT_FALSE(player->couldNotRead());
  EXPECT_FALSE(player->playHand());
  EXPECT_TRUE(player->couldNotRead());
  EXPECT_EQ(" 00000 00000 5", console->unread());

  start("Al 00000 00000 5");
  ASSERT_TRUE(player->playHand());
  const std::size_t handOutput = console->output().size();
  start("Al 00000 00000 5", 20, handOutput);  // Room for the hand, not for the menu.
  EXPECT_TRUE(player->playHand());
  EXPECT_FALSE(player->chooseCategory());
  EXPECT_TRUE(player->couldNotRead());
  EXPECT_EQ(" 5", console->unread());
  for (int i = 0; i < CATEGORY_COUNT; ++i) EXPECT_EQ(EMPTY_SCORE, player->getScore(i));
}

}  // namespace
