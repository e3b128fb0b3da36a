#include "dice/dice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "console.h"
#include "score_model.h"

namespace {

std::vector<int> values(const Dice& hand) {
  std::vector<int> v;
  for (int i = 0; i < DICE_COUNT; ++i) v.push_back(hand.getValue(i));
  return v;
}

Dice handOf(const std::vector<int>& v) {
  Dice hand;
  hand.setAll(v[0], v[1], v[2], v[3], v[4]);
  return hand;
}

TEST(DiceTest, DieShowsZeroUntilRolledThenTheNextDraw) {
  const std::vector<int> faces = facesAfterSeed(3, 2);
  Die die;
  EXPECT_EQ(0, die.getValue());
  die.roll();
  EXPECT_EQ(faces[0], die.getValue());
  die.roll();
  EXPECT_EQ(faces[1], die.getValue());
}

TEST(DiceTest, RollsDrawFacesFromTheGeneratorInPositionOrder) {
  const std::vector<int> faces = facesAfterSeed(42, 10);
  Dice hand;
  EXPECT_EQ(std::vector<int>(faces.begin(), faces.begin() + 5), values(hand));
  hand.rollOne(-1);
  hand.rollOne(5);  // Neither takes a draw.
  hand.rollAll();
  EXPECT_EQ(std::vector<int>(faces.begin() + 5, faces.end()), values(hand));
}

TEST(DiceTest, RollOneChangesOnlyItsPosition) {
  const std::vector<int> faces = facesAfterSeed(7, 6);
  Dice hand;
  hand.rollOne(2);
  EXPECT_EQ((std::vector<int>{faces[0], faces[1], faces[5], faces[3], faces[4]}), values(hand));
}

TEST(DiceTest, SortAscendingOrdersTheValues) {
  Dice a = handOf({5, 2, 5, 1, 2});
  a.sortAscending();
  EXPECT_EQ((std::vector<int>{1, 2, 2, 5, 5}), values(a));
  Dice b = handOf({6, 5, 4, 3, 2});
  b.sortAscending();
  EXPECT_EQ((std::vector<int>{2, 3, 4, 5, 6}), values(b));
  Dice c = handOf({0, 7, 2, 2, 2});  // setAll stores anything.
  EXPECT_EQ((std::vector<int>{0, 7, 2, 2, 2}), values(c));
}

TEST(DiceTest, DisplayShowsCurrentPositions) {
  Console console;
  Dice hand = handOf({3, 1, 4, 1, 5});
  hand.display();
  hand.sortAscending();
  hand.display();
  EXPECT_EQ(
      "   |   3   |   1   |   4   |   1   |   5   |\n"
      "   |   1   |   1   |   3   |   4   |   5   |\n",
      console.output());
}

struct ScoringRow {
  std::vector<int> hand;
  int expected[CATEGORY_COUNT];
};

TEST(DiceTest, ScoringTableHoldsForEveryCategory) {
  const ScoringRow rows[] = {
      {{1, 2, 3, 4, 6}, {1, 2, 3, 4, 0, 6, 0, 0, 0, 30, 0, 0, 16}},
      {{1, 1, 2, 3, 4}, {2, 2, 3, 4, 0, 0, 0, 0, 0, 30, 0, 0, 11}},
      {{2, 3, 4, 5, 6}, {0, 2, 3, 4, 5, 6, 0, 0, 0, 30, 40, 0, 20}},
      {{6, 5, 4, 3, 2}, {0, 2, 3, 4, 5, 6, 0, 0, 0, 30, 40, 0, 20}},
      {{1, 2, 3, 5, 6}, {1, 2, 3, 0, 5, 6, 0, 0, 0, 0, 0, 0, 17}},
      {{1, 3, 4, 5, 6}, {1, 0, 3, 4, 5, 6, 0, 0, 0, 30, 0, 0, 19}},
      {{3, 4, 4, 5, 6}, {0, 0, 3, 8, 5, 6, 0, 0, 0, 30, 0, 0, 22}},
      {{4, 4, 4, 4, 4}, {0, 0, 0, 20, 0, 0, 20, 20, 25, 0, 0, 50, 20}},
      {{3, 1, 3, 1, 3}, {2, 0, 9, 0, 0, 0, 11, 0, 25, 0, 0, 0, 11}},
      {{5, 5, 2, 5, 5}, {0, 2, 0, 0, 20, 0, 22, 22, 0, 0, 0, 0, 22}},
      {{6, 6, 6, 1, 1}, {2, 0, 0, 0, 0, 18, 20, 0, 25, 0, 0, 0, 20}},
  };
  for (const ScoringRow& row : rows) {
    for (int index = 0; index < CATEGORY_COUNT; ++index) {
      Dice hand = handOf(row.hand);
      EXPECT_EQ(row.expected[index], hand.scoreCategory(index))
          << "category " << index << " of hand " << ::testing::PrintToString(row.hand);
      // Only the rules of indices 6 to 10 sort the hand.
      std::vector<int> sorted = row.hand;
      if (index >= 6 && index <= 10) std::sort(sorted.begin(), sorted.end());
      EXPECT_EQ(sorted, values(hand)) << "category " << index;
    }
  }
}

TEST(DiceTest, EveryHandScoresAsItsFaceCountsSay) {
  for (int n = 0; n < 6 * 6 * 6 * 6 * 6; ++n) {
    std::vector<int> faces;
    for (int i = 0, k = n; i < DICE_COUNT; ++i, k /= 6) faces.push_back(k % 6 + 1);
    std::vector<int> sorted = faces;
    std::sort(sorted.begin(), sorted.end());
    for (int index = 0; index < CATEGORY_COUNT; ++index) {
      Dice hand = handOf(faces);
      ASSERT_EQ(modelScore(faces, index), hand.scoreCategory(index))
          << "category " << index << " of hand " << ::testing::PrintToString(faces);
      // The rules from 3 of a kind to the large straight sort the hand; the
      // others leave it exactly as it was.
      ASSERT_EQ(index >= 6 && index <= 10 ? sorted : faces, values(hand))
          << "category " << index << " of hand " << ::testing::PrintToString(faces);
    }
  }
}

TEST(DiceTest, ScoresDependOnlyOnTheValues) {
  Dice hand = handOf({3, 1, 3, 1, 3});
  int first[CATEGORY_COUNT];
  for (int i = CATEGORY_COUNT - 1; i >= 0; --i) first[i] = hand.scoreCategory(i);
  for (int i = 0; i < CATEGORY_COUNT; ++i) EXPECT_EQ(first[i], hand.scoreCategory(i));
  EXPECT_EQ(0, hand.scoreCategory(-1));
  EXPECT_EQ(0, hand.scoreCategory(CATEGORY_COUNT));
}

}  // namespace
