#include "players/category_menu.h"

#include <gtest/gtest.h>

#include <string>

#include "console.h"

namespace {

const std::string kNotice = "Unavailable! A Score is already filled: ";

class CategoryMenuTest : public ::testing::Test {
 protected:
  std::string menuFor(int a, int b, int c, int d, int e) {
    hand.setAll(a, b, c, d, e);
    printCategoryMenu(player, hand);
    return console.take();
  }

  Console console;
  Player player;
  Dice hand;
};

TEST_F(CategoryMenuTest, EmptyCardShowsEveryPotentialScore) {
  EXPECT_EQ(
      "(1) - Aces..........................2\n"
      "(2) - Twos..........................0\n"
      "(3) - Threes........................9\n"
      "(4) - Fours.........................0\n"
      "(5) - Fives.........................0\n"
      "(6) - Sixes.........................0\n"
      "(7) - 3 of a kind...................11\n"
      "(8) - 4 of a kind...................0\n"
      "(9) - Full House....................25\n"
      "(10)- Sm Straight...................0\n"
      "(11)- Lg Straight...................0\n"
      "(12)- QUORBIX.......................0\n"
      "(13)- Chance........................11",
      menuFor(3, 1, 3, 1, 3));
  const int sorted[] = {1, 1, 3, 3, 3};
  for (int i = 0; i < DICE_COUNT; ++i) EXPECT_EQ(sorted[i], hand.getValue(i));
}

TEST_F(CategoryMenuTest, FilledCategoriesShowTheStoredScoreBehindTheNotice) {
  player.fillCategory(0, 0);
  player.fillCategory(5, 6);
  const std::string menu = menuFor(6, 6, 6, 6, 6);
  EXPECT_NE(std::string::npos, menu.find("(1) - Aces.........................." + kNotice + "0\n"));
  EXPECT_NE(std::string::npos, menu.find("(6) - Sixes........................." + kNotice + "6\n"));
  EXPECT_NE(std::string::npos, menu.find("(2) - Twos..........................0\n"));
  EXPECT_NE(std::string::npos, menu.find("(12)- QUORBIX.......................50\n"));
}

TEST_F(CategoryMenuTest, HandKeepsItsOrderWhenNoSortingRuleRuns) {
  for (int i = 6; i <= 10; ++i) player.fillCategory(i, 0);
  menuFor(5, 2, 4, 1, 3);
  const int rolled[] = {5, 2, 4, 1, 3};
  for (int i = 0; i < DICE_COUNT; ++i) EXPECT_EQ(rolled[i], hand.getValue(i));
}

}  // namespace
