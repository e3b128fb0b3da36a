#include "players/player.h"

#include <iostream>

#include "text/output_check.h"

namespace {

const char* const kLabels[CATEGORY_COUNT] = {
    "Aces",        "Twos",       "Threes",      "Fours",       "Fives",   "Sixes",   "3 of a kind",
    "4 of a kind", "Full House", "sm Straight", "lg Straight", "QUORBIX", "Chances",
};

bool isCategory(Category index) { return index >= 0 && index < CATEGORY_COUNT; }

// One score-card line: the item, '_' up to column 30, then the value.
template <typename Item>
void scoreLine(const Item& item, int value) {
  std::cout.setf(std::ios_base::left);
  std::cout.width(30);
  std::cout.fill('_');
  std::cout << item << value << std::endl;
}

}  // namespace

Player::Player() : name("no player") {
  for (int i = 0; i < CATEGORY_COUNT; ++i) {
    scores[i] = EMPTY_SCORE;
    labels[i] = String(kLabels[i]);
  }
}

bool Player::askName() {
  std::cout << "Please Enter Your Name:  ";
  return outputDelivered(std::cout) && static_cast<bool>(std::cin >> name);
}

// By value: the caller's name is built in place as the argument.
// NOLINTNEXTLINE(performance-unnecessary-value-param)
void Player::setName(String newName) { name = newName; }

String Player::getName() const { return name; }

bool Player::fillCategory(Category index, int value) {
  if (!isCategory(index)) {
    std::cout << std::endl
              << std::endl
              << "Error: There is no such category, enter a number from 1 to 13." << std::endl;
    return false;
  }
  if (scores[index] != EMPTY_SCORE) {
    std::cout << std::endl
              << std::endl
              << "Error: This category is already occupied, try other categories." << std::endl;
    return false;
  }
  scores[index] = value;
  return true;
}

int Player::getScore(Category index) const {
  return isCategory(index) ? scores[index] : EMPTY_SCORE;
}

int Player::sectionTotal(Category first, Category last, const char* what) const {
  int sum = 0;
  for (Category i = first; i < last; ++i) {
    if (scores[i] == EMPTY_SCORE) {
      std::cout << "Error: Cannot compute " << what << " total, the category :" << labels[i]
                << " is blank." << std::endl;
      return -1;
    }
    sum += scores[i];
  }
  return sum;
}

int Player::upperTotal() const { return sectionTotal(0, UPPER_COUNT, "upper"); }

int Player::lowerTotal() const { return sectionTotal(UPPER_COUNT, CATEGORY_COUNT, "lower"); }

int Player::upperBonus() const { return upperTotal() >= UPPER_BONUS_THRESHOLD ? UPPER_BONUS : 0; }

void Player::printScoreCard() const {
  std::cout << "Player Name: " << name << std::endl << std::endl;
  std::cout << "Upper Section:" << std::endl;
  for (Category i = 0; i < UPPER_COUNT; ++i) scoreLine(labels[i], scores[i]);
  // Each value is computed before its line starts, so a total's error line
  // stands above the line that shows it.
  int value = upperTotal();
  scoreLine("Total Score:", value);
  value = upperBonus();
  scoreLine("Bonus:", value);
  value = upperTotal();
  value += upperBonus();
  scoreLine("Total of Upper Section: ", value);
  std::cout << std::endl << std::endl;

  std::cout << "Lower Section:" << std::endl;
  for (Category i = UPPER_COUNT; i < CATEGORY_COUNT; ++i) scoreLine(labels[i], scores[i]);
  value = lowerTotal();
  scoreLine("Total of Lower Section: ", value);
  std::cout << std::endl << std::endl;

  value = upperTotal();
  value += upperBonus();
  value += lowerTotal();
  scoreLine("Grand Total:", value);
}

void Player::showFinalResult() const {
  std::cout << std::endl << std::endl;
  std::cout << "$$$$$$$$$$ Game Over $$$$$$$$$$" << std::endl << std::endl;
  std::cout << "Final Result:" << std::endl;
  printScoreCard();
}
