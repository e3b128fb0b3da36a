// Die and Dice: the hand of five six-sided dice that each player rolls, and
// the 13 scoring rules that say what the hand would score in each category.
//
// The only source of chance is Die::roll, which takes one draw from the C
// library's rand(). The generator is seeded once by the program's entry;
// nothing here ever seeds it. A hand lives by value inside its player and
// owns no heap memory.

#ifndef QUORBIX_DICE_DICE_H_
#define QUORBIX_DICE_DICE_H_

// Dice in a hand.
constexpr int DICE_COUNT = 5;
// Scoring categories on a card, and game turns in a game.
constexpr int CATEGORY_COUNT = 13;

// A category index, 0..12: Aces, Twos, Threes, Fours, Fives, Sixes,
// 3 of a kind, 4 of a kind, Full House, small straight, large straight,
// five of a kind, Chance. The menu number a user types is index + 1.
using Category = int;

// One die: the face it shows, 0 until it is first rolled.
class Die {
 public:
  Die() : value(0) {}

  // value := one draw of rand() mod 6, plus 1.
  void roll();
  int getValue() const { return value; }
  // Stores v without any range check.
  void setValue(int v) { value = v; }
  // Writes the value in decimal, nothing before or after it.
  void print() const;

 private:
  int value;
};

// A hand of five dice at positions 0..4. Constructing it rolls all five.
class Dice {
 public:
  Dice();

  // Rolls positions 0 to 4 in order: five draws.
  void rollAll();
  // Rolls the die at `index`: one draw. Any index outside 0..4 is ignored and
  // takes no draw.
  void rollOne(int index);
  // Stores the five values into positions 0..4 without any range check.
  void setAll(int a, int b, int c, int d, int e);
  int getValue(int index) const { return dice[index].getValue(); }
  // Arranges the values in ascending order (a selection sort).
  void sortAscending();
  // Writes the hand line "   |   v" five times, then "   |" and an end of
  // line, values in their current positions.
  void display() const;

  // The scoring rules: what the current hand would score in one category.
  // They store nothing. The five rules from 3 of a kind to the large straight
  // sort the hand in place first; the others leave it as it is.
  int scoreAces() const;
  int scoreTwos() const;
  int scoreThrees() const;
  int scoreFours() const;
  int scoreFives() const;
  int scoreSixes() const;
  int scoreThreeOfAKind();
  int scoreFourOfAKind();
  int scoreFullHouse();
  int scoreSmallStraight();
  int scoreLargeStraight();
  int scoreQuorbix() const;
  int scoreChance() const;

  // The rule of category `index`, with that rule's effect on the hand. An
  // index outside 0..CATEGORY_COUNT - 1 scores 0 and runs no rule.
  int scoreCategory(Category index);

 private:
  // Sum of the dice showing `face`, the upper-section rule.
  int scoreFace(int face) const;
  // Sum of all five values.
  int sum() const;
  // Value at sorted position i; meaningful right after sortAscending().
  int s(int i) const { return dice[i].getValue(); }

  Die dice[DICE_COUNT];
};

#endif  // QUORBIX_DICE_DICE_H_
