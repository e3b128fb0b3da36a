// The category menu: the listing of all 13 categories that a player sees
// before filling one. Each entry shows the menu number and name, a dot leader
// to column 36, and either the score the hand would make in an empty category
// or, behind a notice, the score already stored in a filled one.

#ifndef QUORBIX_PLAYERS_CATEGORY_MENU_H_
#define QUORBIX_PLAYERS_CATEGORY_MENU_H_

#include "dice/dice.h"
#include "players/player.h"

// Prints the menu for `player`'s card and `hand`. All 13 values are computed
// before anything is printed; scoring may sort the hand in place. The 13th
// entry is left without an end of line, for the caller to close.
void printCategoryMenu(const Player& player, Dice& hand);

#endif  // QUORBIX_PLAYERS_CATEGORY_MENU_H_
