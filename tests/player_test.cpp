#include "players/player.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "console.h"

namespace {

const char kOccupied[] = "\n\nError: This category is already occupied, try other categories.\n";

void fillAll(Player& player, const int (&values)[CATEGORY_COUNT]) {
  for (int i = 0; i < CATEGORY_COUNT; ++i) player.fillCategory(i, values[i]);
}

TEST(PlayerTest, CategoryFillsOnceEvenWithZero) {
  Console console;
  Player player;
  EXPECT_TRUE(player.fillCategory(3, 0));
  EXPECT_EQ("", console.take());
  EXPECT_FALSE(player.fillCategory(3, 20));
  EXPECT_EQ(kOccupied, console.take());
  EXPECT_EQ(0, player.getScore(3));
  EXPECT_EQ(EMPTY_SCORE, player.getScore(4));
}

TEST(PlayerTest, UnnamedPlayerIsNoPlayer) {
  Console console;
  Player player;
  std::ostringstream name;
  name << player.getName();
  EXPECT_EQ("no player", name.str());
  EXPECT_EQ(9, player.getName().getCapacity());
}

TEST(PlayerTest, IndexOutsideTheCardIsRefused) {
  Console console;
  Player player;
  EXPECT_FALSE(player.fillCategory(-1, 5));
  EXPECT_FALSE(player.fillCategory(CATEGORY_COUNT, 5));
  const std::string message =
      "\n\nError: There is no such category, enter a number from 1 to 13.\n";
  EXPECT_EQ(message + message, console.output());
  EXPECT_EQ(EMPTY_SCORE, player.getScore(CATEGORY_COUNT));
}

TEST(PlayerTest, TotalsNameOnlyTheFirstEmptyCategory) {
  Console console;
  Player player;
  fillAll(player, {1, EMPTY_SCORE, 3, 4, EMPTY_SCORE, 6, 7, 8, 25, 30, 40, 50, 9});
  EXPECT_EQ(-1, player.upperTotal());
  EXPECT_EQ("Error: Cannot compute upper total, the category :Twos is blank.\n", console.take());
  EXPECT_EQ(0, player.upperBonus());
  console.take();
  EXPECT_EQ(169, player.lowerTotal());
}

TEST(PlayerTest, BonusNeedsSixtyThree) {
  Console console;
  Player reaches;
  fillAll(reaches, {3, 6, 9, 12, 15, 18, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(35, reaches.upperBonus());
  Player misses;
  fillAll(misses, {3, 6, 9, 12, 15, 17, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(62, misses.upperTotal());
  EXPECT_EQ(0, misses.upperBonus());
}

TEST(PlayerTest, FinalResultPrintsTheWholeCard) {
  Console console;
  Player player;
  player.setName(String("Computer"));
  fillAll(player, {3, 6, 9, 12, 15, 18, 22, 0, 25, 30, 40, 0, 123});
  player.showFinalResult();
  EXPECT_EQ(
      "\n\n$$$$$$$$$$ Game Over $$$$$$$$$$\n\nFinal Result:\n"
      "Player Name: Computer\n\n"
      "Upper Section:\n"
      "Aces__________________________3\n"
      "Twos__________________________6\n"
      "Threes________________________9\n"
      "Fours_________________________12\n"
      "Fives_________________________15\n"
      "Sixes_________________________18\n"
      "Total Score:__________________63\n"
      "Bonus:________________________35\n"
      "Total of Upper Section: ______98\n\n\n"
      "Lower Section:\n"
      "3 of a kind___________________22\n"
      "4 of a kind___________________0\n"
      "Full House____________________25\n"
      "sm Straight___________________30\n"
      "lg Straight___________________40\n"
      "QUORBIX_______________________0\n"
      "Chances_______________________123\n"
      "Total of Lower Section: ______240\n\n\n"
      "Grand Total:__________________338\n",
      console.output());
}

TEST(PlayerTest, CardWithEmptyCategoriesShowsErrorsAboveTotals) {
  Console console;
  Player player;
  fillAll(player, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, EMPTY_SCORE});
  player.printScoreCard();
  const std::string lowerError =
      "Error: Cannot compute lower total, the category :Chances is blank.\n";
  const std::string out = console.output();
  EXPECT_NE(std::string::npos, out.find("Chances_______________________-999\n" + lowerError +
                                        "Total of Lower Section: ______-1\n\n\n"));
  // The grand total runs all three computations; only the lower one fails.
  EXPECT_NE(std::string::npos,
            out.find("\n\n\n" + lowerError + "Grand Total:__________________20\n"));
  EXPECT_NE(std::string::npos, out.find("Total of Upper Section: ______21\n"));
}

TEST(PlayerTest, TotalsComputeTheirPartsInTheCardsOrder) {
  Console console;
  Player player;
  fillAll(player, {1, 2, EMPTY_SCORE, 4, 5, 6, 7, EMPTY_SCORE, 9, 10, 11, 12, 13});
  player.printScoreCard();
  const std::string upper = "Error: Cannot compute upper total, the category :Threes is blank.\n";
  const std::string lower =
      "Error: Cannot compute lower total, the category :4 of a kind is blank.\n";
  const std::string out = console.output();
  // Upper total, bonus, then lower total, each computed before its line.
  EXPECT_EQ(
      upper + "Total Score:__________________-1\n" + upper + "Bonus:________________________0\n" +
          upper + upper + "Total of Upper Section: ______-1\n\n\n",
      out.substr(out.find("Sixes_") + 32, out.find("Lower Section:") - out.find("Sixes_") - 32));
  EXPECT_EQ("\n\n" + upper + upper + lower + "Grand Total:__________________-2\n",
            out.substr(out.rfind("______-1\n") + 9));
}

}  // namespace
