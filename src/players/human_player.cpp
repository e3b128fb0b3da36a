#include "players/human_player.h"

#include <iostream>

#include "players/category_menu.h"
#include "text/integer_reader.h"
#include "text/output_check.h"

HumanPlayer::HumanPlayer() : stoppedReading(false) { stoppedReading = !askName(); }

bool HumanPlayer::playHand() {
  const String playerName = getName();
  std::cout << std::endl
            << std::endl
            << "==========Now it's player " << playerName
            << " 's turn to start a new hand==========" << std::endl;
  hand.rollAll();
  hand.display();

  const String reroll("1");
  for (int chance = 1; chance <= REROLL_CHANCES; ++chance) {
    std::cout << "Reroll chance " << chance << ":" << std::endl;
    std::cout << "How will you reroll this hand? Input 1 and 0 to choose dice." << std::endl;
    std::cout << "Example: If you want to reroll 1st and 3rd dice, input 10100" << std::endl;
    std::cout << "         If you want to reroll 4th and 5th dice, input 00011" << std::endl;
    std::cout << "         If you don't want to reroll, input 00000" << std::endl;
    if (!outputDelivered(std::cout) || !(std::cin >> rerollAnswer)) {
      stoppedReading = true;
      return false;
    }
    for (int j = 0; j < DICE_COUNT; ++j) {
      if (rerollAnswer.substring(j, 1) == reroll) hand.rollOne(j);
    }
    hand.display();
  }

  std::cout << std::endl << std::endl << "Your final result of this hand is:" << std::endl;
  hand.display();
  return true;
}

bool HumanPlayer::readChoice(int& choice) {
  if (!outputDelivered(std::cout)) {
    stoppedReading = true;
    return false;
  }
  switch (readInteger(std::cin, choice)) {
    case IntegerRead::kValue: return true;
    case IntegerRead::kNoDigits:
    case IntegerRead::kOutOfRange:
      // Not a number, or one too large for an int: forget the rest of the word
      // and let the caller treat it as no category.
      discardWord(std::cin);
      choice = 0;
      return true;
    case IntegerRead::kEnded: break;
  }
  stoppedReading = true;
  return false;
}

bool HumanPlayer::chooseCategory() {
  for (;;) {
    std::cout << std::endl
              << std::endl
              << "Which category will you fill in? " << std::endl
              << std::endl;
    printCategoryMenu(*this, hand);
    std::cout << std::endl
              << std::endl
              << "Enter the number of an available category (1-13):" << std::endl;
    int choice = 0;
    if (!readChoice(choice)) return false;
    // Only a menu number picks a rule; anything else is refused as no category.
    const bool listed = choice >= 1 && choice <= CATEGORY_COUNT;
    const Category index = listed ? choice - 1 : -1;
    const int value = listed ? hand.scoreCategory(index) : 0;
    if (fillCategory(index, value)) break;
  }
  std::cout << "One category Successfully filled, proceeding to next hand......" << std::endl
            << std::endl;
  return true;
}
