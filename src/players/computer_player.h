// ComputerPlayer: the automatic opponent. A Player with its own hand; each
// turn it rolls once, shows the hand and the menu, and fills the empty
// category in which the hand scores most. It never reads input.

#ifndef QUORBIX_PLAYERS_COMPUTER_PLAYER_H_
#define QUORBIX_PLAYERS_COMPUTER_PLAYER_H_

#include "dice/dice.h"
#include "players/player.h"

class ComputerPlayer : public Player {
 public:
  // Rolls the hand once and takes the name "Computer". Prints nothing.
  ComputerPlayer();

  // One turn: roll, hand line, menu, the greedy fill and its report. Among
  // empty categories with the greatest score the highest index wins.
  void playTurn();

 private:
  Dice hand;
};

#endif  // QUORBIX_PLAYERS_COMPUTER_PLAYER_H_
