#include "players/computer_player.h"

#include <iostream>

#include "players/category_menu.h"

ComputerPlayer::ComputerPlayer() { setName(String("Computer")); }

void ComputerPlayer::playTurn() {
  std::cout << std::endl
            << std::endl
            << "==========Now it's computer player's turn==========" << std::endl;
  hand.rollAll();
  std::cout << "Computer Player's result of this hand is:" << std::endl;
  hand.display();
  std::cout << std::endl
            << "Computer Player is choosing one of these categories to fill:" << std::endl;
  printCategoryMenu(*this, hand);
  std::cout << std::endl << std::endl;

  // Every category is scored afresh; a value equal to the best so far also
  // wins, so ties go to the later category.
  int bestValue = 0;
  Category bestIndex = 0;
  for (Category index = 0; index < CATEGORY_COUNT; ++index) {
    const int value = hand.scoreCategory(index);
    if (getScore(index) == EMPTY_SCORE && value >= bestValue) {
      bestValue = value;
      bestIndex = index;
    }
  }

  if (fillCategory(bestIndex, bestValue)) {
    std::cout << "Computer player has successfully filled a category." << std::endl;
  } else {
    std::cout << "Computer player encountered an error" << std::endl;
  }
  std::cout << "The computer has filled the category " << bestIndex + 1 << " with a score "
            << bestValue << std::endl
            << std::endl
            << std::endl
            << std::endl;
}
