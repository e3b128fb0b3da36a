#include "game/game.h"

#include <iostream>

#include "players/computer_player.h"
#include "players/human_player.h"

namespace {

int inputEnded() {
  std::cout << std::endl << "Input ended before the game was over." << std::endl;
  return 1;
}

}  // namespace

int playGame() {
  HumanPlayer human;  // Rolls once, then asks for the name.
  if (human.inputEnded()) return inputEnded();
  ComputerPlayer computer;

  for (int turn = 0; turn < CATEGORY_COUNT; ++turn) {
    if (!human.playHand()) return inputEnded();
    if (!human.chooseCategory()) return inputEnded();
    computer.playTurn();
  }

  human.showFinalResult();
  computer.showFinalResult();
  return 0;
}
