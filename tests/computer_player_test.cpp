#include "players/computer_player.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "console.h"
#include "score_model.h"

namespace {

using Roll = std::vector<int>;

// The first seed whose first turn roll (draws 5..9, after the five of
// construction) satisfies `wanted`.
unsigned seedWhoseRoll(const std::function<bool(Roll)>& wanted) {
  for (unsigned seed = 1;; ++seed) {
    const std::vector<int> f = facesAfterSeed(seed, 10);
    if (wanted(Roll(f.begin() + 5, f.end()))) return seed;
  }
}

int occurrences(const Roll& roll, int face) {
  return static_cast<int>(std::count(roll.begin(), roll.end(), face));
}

std::string report(int menuNumber, int score) {
  return "The computer has filled the category " + std::to_string(menuNumber) + " with a score " +
         std::to_string(score) + "\n\n\n\n";
}

TEST(ComputerPlayerTest, TurnShowsHandMenuAndReport) {
  const std::vector<int> f = facesAfterSeed(99, 10);
  Console console;
  ComputerPlayer computer;
  EXPECT_EQ("", console.output());
  computer.playTurn();

  const std::vector<int> hand(f.begin() + 5, f.end());
  const std::string out = console.output();
  const std::string expectedStart =
      "\n\n==========Now it's computer player's turn==========\n"
      "Computer Player's result of this hand is:\n" +
      handLine(hand) + "\nComputer Player is choosing one of these categories to fill:\n" +
      modelMenu(std::vector<int>(CATEGORY_COUNT, EMPTY_SCORE), hand) +
      "\n\nComputer player has successfully filled a category.\n";
  EXPECT_EQ(0u, out.find(expectedStart));
  EXPECT_EQ(expectedStart.size(), out.find("The computer has filled the category "));
}

TEST(ComputerPlayerTest, ThreeOfAKindGoesToChanceOnATie) {
  const unsigned seed = seedWhoseRoll([](const Roll& r) {
    for (int face = 1; face <= 6; ++face) {
      if (occurrences(r, face) == 3 && r != Roll(5, r[0])) {
        for (int other = 1; other <= 6; ++other) {
          if (other != face && occurrences(r, other) == 2) return false;  // Full house.
        }
        return true;
      }
    }
    return false;
  });
  const std::vector<int> f = facesAfterSeed(seed, 10);
  const int sum = f[5] + f[6] + f[7] + f[8] + f[9];
  Console console;
  ComputerPlayer computer;
  computer.playTurn();
  EXPECT_EQ(sum, computer.getScore(12));
  EXPECT_EQ(EMPTY_SCORE, computer.getScore(6));  // Scored the same, but lower.
  EXPECT_NE(std::string::npos, console.output().find(report(13, sum)));
}

TEST(ComputerPlayerTest, FiveEqualDiceTakeFifty) {
  srand(seedWhoseRoll([](const Roll& r) { return occurrences(r, r[0]) == 5; }));
  Console console;
  ComputerPlayer computer;
  computer.playTurn();
  EXPECT_EQ(50, computer.getScore(11));
  EXPECT_NE(std::string::npos, console.output().find(report(12, 50)));
}

TEST(ComputerPlayerTest, FilledCategoriesNeverWinAndZeroTiesGoHighest) {
  srand(seedWhoseRoll([](const Roll& r) { return occurrences(r, 1) + occurrences(r, 2) == 0; }));
  Console console;
  ComputerPlayer computer;
  for (int i = 2; i < CATEGORY_COUNT; ++i) computer.fillCategory(i, 0);
  computer.playTurn();
  EXPECT_EQ(0, computer.getScore(1));
  EXPECT_EQ(EMPTY_SCORE, computer.getScore(0));
  EXPECT_NE(std::string::npos, console.output().find(report(2, 0)));
}

TEST(ComputerPlayerTest, FullCardReportsAnError) {
  Console console;
  ComputerPlayer computer;
  for (int i = 0; i < CATEGORY_COUNT; ++i) computer.fillCategory(i, 1);
  computer.playTurn();
  EXPECT_NE(std::string::npos,
            console.output().find("\n\nError: This category is already occupied, try other "
                                  "categories.\nComputer player encountered an error\n" +
                                  report(1, 0)));
}

}  // namespace
