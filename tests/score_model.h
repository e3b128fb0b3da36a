// What a hand scores in each category, stated from the face counts alone and
// independently of the game's scoring code, for tests to check it against.

#ifndef QUORBIX_TESTS_SCORE_MODEL_H_
#define QUORBIX_TESTS_SCORE_MODEL_H_

#include <algorithm>
#include <array>
#include <numeric>
#include <string>
#include <vector>

#include "players/player.h"

// The score of five faces (1 to 6) in category 0..12.
inline int modelScore(const std::vector<int>& faces, int category) {
  std::array<int, 7> count{};
  for (int f : faces) ++count[f];
  const int sum = std::accumulate(faces.begin(), faces.end(), 0);
  const int most = *std::max_element(count.begin(), count.end());
  const bool hasThree = std::find(count.begin(), count.end(), 3) != count.end();
  const bool hasPair = std::find(count.begin(), count.end(), 2) != count.end();
  // True when every face from `low` to `high` shows at least once.
  auto run = [&](int low, int high) {
    for (int f = low; f <= high; ++f) {
      if (count[f] == 0) return false;
    }
    return true;
  };
  if (category < 6) return (category + 1) * count[category + 1];
  switch (category) {
    case 6: return most >= 3 ? sum : 0;
    case 7: return most >= 4 ? sum : 0;
    case 8: return (hasThree && hasPair) || most == 5 ? 25 : 0;
    case 9: return run(1, 4) || run(2, 5) || run(3, 6) ? 30 : 0;
    case 10: return run(1, 5) || run(2, 6) ? 40 : 0;
    case 11: return most == 5 ? 50 : 0;
    default: return sum;
  }
}

// The category menu shown for `card` (EMPTY_SCORE where a category is empty)
// and the hand `faces`: one line per category, the menu number and label
// filled with dots to 36 columns, then the stored score behind a notice or
// the score the hand would get. No line break after the last.
inline std::string modelMenu(const std::vector<int>& card, const std::vector<int>& faces) {
  const char* const labels[] = {
      "Aces",        "Twos",       "Threes",      "Fours",       "Fives",   "Sixes", "3 of a kind",
      "4 of a kind", "Full House", "Sm Straight", "Lg Straight", "QUORBIX", "Chance"};
  std::string menu;
  for (int i = 0; i < 13; ++i) {
    std::string entry = "(" + std::to_string(i + 1) + (i < 9 ? ") - " : ")- ") + labels[i];
    entry.resize(36, '.');
    const bool filled = card[i] != EMPTY_SCORE;
    menu += entry + (filled ? "Unavailable! A Score is already filled: " : "") +
            std::to_string(filled ? card[i] : modelScore(faces, i)) + (i < 12 ? "\n" : "");
  }
  return menu;
}

#endif  // QUORBIX_TESTS_SCORE_MODEL_H_
