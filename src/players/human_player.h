// HumanPlayer: the participant at the keyboard. A Player with its own hand
// and the String that receives each typed reroll answer. Building one asks for
// the player's name; each game turn the game calls playHand() (a roll and two
// reroll chances) and then chooseCategory() (the menu and the user's choice).
//
// Input comes from std::cin as whitespace-delimited words and numbers, so
// answers typed ahead are taken by the following reads. Before each read the
// output written so far is flushed and checked. When input ends at any read,
// or standard output has failed by then, the operation stops there, reads and
// fills nothing more and reports it, so the game can end cleanly.

#ifndef QUORBIX_PLAYERS_HUMAN_PLAYER_H_
#define QUORBIX_PLAYERS_HUMAN_PLAYER_H_

#include "dice/dice.h"
#include "players/player.h"
#include "text/text_string.h"

// Reroll chances in every hand.
constexpr int REROLL_CHANCES = 2;

class HumanPlayer : public Player {
 public:
  // Rolls the hand once, then writes the name prompt and reads the name.
  HumanPlayer();

  // One hand: a fresh roll and two reroll chances, each a prompt, one answer
  // word (a "1" in position j rerolls die j) and the hand line, then the
  // final hand. Returns false when input ended or standard output failed.
  bool playHand();

  // Shows the menu and reads a category number until one empty category has
  // been filled with what the hand scores there. Returns false, with nothing
  // filled, when input ended or standard output failed.
  bool chooseCategory();

  // True once a read could not be made (the name's included): input had
  // ended, or standard output had failed, so nothing more was read. Standard
  // output's state tells which.
  bool couldNotRead() const { return stoppedReading; }

 private:
  // Reads the category number. Returns false when input has ended or standard
  // output has failed; otherwise `choice` is the number typed, or 0 when the
  // answer was not a number or did not fit an int.
  bool readChoice(int& choice);

  Dice hand;
  String rerollAnswer;
  bool stoppedReading;
};

#endif  // QUORBIX_PLAYERS_HUMAN_PLAYER_H_
