// Player: the score card that both participants share. It holds the player's
// name, the 13 stored category scores and the 13 category labels, fills each
// category once, computes the section totals and the upper bonus, and prints
// the card. A Player holds no dice: the value to store is always computed by
// the caller from its own hand.
//
// Players are built once by the game and live until it ends; they are never
// copied.

#ifndef QUORBIX_PLAYERS_PLAYER_H_
#define QUORBIX_PLAYERS_PLAYER_H_

#include "dice/dice.h"
#include "text/text_string.h"

// The stored value of a category that has not been filled. A filled category
// may hold 0.
constexpr int EMPTY_SCORE = -999;
// Categories 0..5 form the upper section, 6..12 the lower.
constexpr int UPPER_COUNT = 6;
// An upper total of at least this much earns the bonus.
constexpr int UPPER_BONUS_THRESHOLD = 63;
constexpr int UPPER_BONUS = 35;

class Player {
 public:
  // Name "no player", all categories empty, labels set. Prints nothing.
  Player();

  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  // Writes the name prompt and reads one word as the name. Returns false, with
  // the name unchanged and nothing read, when standard output has failed, and
  // when input ended before a word.
  bool askName();
  void setName(String newName);
  // A copy of the name.
  String getName() const;

  // Stores value in the empty category `index` and returns true. An occupied
  // category, or an index outside 0..12, is refused with an error line and
  // the card is left unchanged.
  bool fillCategory(Category index, int value);
  // The stored value, EMPTY_SCORE while the category is empty (and for any
  // index outside 0..12).
  int getScore(Category index) const;

  // Section sums, or -1 after an error line naming the first empty category.
  int upperTotal() const;
  int lowerTotal() const;
  // UPPER_BONUS when upperTotal() reaches the threshold, else 0.
  int upperBonus() const;

  // Prints the whole card. Leaves left adjustment and the '_' fill set on
  // standard output.
  void printScoreCard() const;
  // Prints the game-over banner and the card.
  void showFinalResult() const;

 private:
  // Sum of categories [first, last), or -1 after an error line that starts
  // with `what` and names the first empty category.
  int sectionTotal(Category first, Category last, const char* what) const;

  String name;
  int scores[CATEGORY_COUNT];
  String labels[CATEGORY_COUNT];
};

#endif  // QUORBIX_PLAYERS_PLAYER_H_
