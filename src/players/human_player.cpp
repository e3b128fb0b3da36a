#include "players/human_player.h"

#include <iostream>
#include <locale>

#include "players/category_menu.h"

HumanPlayer::HumanPlayer() : ended(false) { ended = !askName(); }

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
    if (!(std::cin >> rerollAnswer)) {
      ended = true;
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
  // With no base set, the number's own prefix picks it: 0x hexadecimal,
  // another leading 0 octal, else decimal.
  std::cin.unsetf(std::ios_base::basefield);
  std::cin >> std::ws;
  if (std::cin.peek() == std::char_traits<char>::eof()) {
    ended = true;
    return false;
  }
  if (std::cin >> choice) return true;

  // Not a number, or one too large for an int: forget the offending word up to
  // the next whitespace and let the caller treat it as no category.
  std::cin.clear();
  const std::ctype<char>& ctype = std::use_facet<std::ctype<char>>(std::cin.getloc());
  for (int c = std::cin.peek(); c != std::char_traits<char>::eof(); c = std::cin.peek()) {
    if (ctype.is(std::ctype_base::space, std::char_traits<char>::to_char_type(c))) break;
    std::cin.get();
  }
  choice = 0;
  return true;
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
