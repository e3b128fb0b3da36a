#include "players/category_menu.h"

#include <iostream>

namespace {

// Menu label and dot leader of each category: together 36 characters, so
// every value starts in column 37.
const char* const kMenuEntries[CATEGORY_COUNT] = {
    "(1) - Aces..........................", "(2) - Twos..........................",
    "(3) - Threes........................", "(4) - Fours.........................",
    "(5) - Fives.........................", "(6) - Sixes.........................",
    "(7) - 3 of a kind...................", "(8) - 4 of a kind...................",
    "(9) - Full House....................", "(10)- Sm Straight...................",
    "(11)- Lg Straight...................", "(12)- QUORBIX.......................",
    "(13)- Chance........................",
};

const char* const kFilledNotice = "Unavailable! A Score is already filled: ";

}  // namespace

void printCategoryMenu(const Player& player, Dice& hand) {
  int values[CATEGORY_COUNT];
  bool filled[CATEGORY_COUNT];
  for (Category index = CATEGORY_COUNT - 1; index >= 0; --index) {
    const int stored = player.getScore(index);
    filled[index] = stored != EMPTY_SCORE;
    values[index] = filled[index] ? stored : hand.scoreCategory(index);
  }
  for (Category index = 0; index < CATEGORY_COUNT; ++index) {
    std::cout << kMenuEntries[index] << (filled[index] ? kFilledNotice : "") << values[index];
    if (index < CATEGORY_COUNT - 1) std::cout << std::endl;
  }
}
