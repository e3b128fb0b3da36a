#include "dice/dice.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <numeric>

// The dice follow the standard library's generator, seeded once by the caller,
// so that a seed replays a whole game.
void Die::roll() { value = std::rand() % 6 + 1; }  // NOLINT(cert-msc30-c,cert-msc50-cpp)

void Die::print() const { std::cout << value; }

Dice::Dice() { rollAll(); }

void Dice::rollAll() {
  for (Die& die : dice) die.roll();
}

void Dice::rollOne(int index) {
  if (index < 0 || index >= DICE_COUNT) return;
  dice[index].roll();
}

void Dice::setAll(int a, int b, int c, int d, int e) {
  dice[0].setValue(a);
  dice[1].setValue(b);
  dice[2].setValue(c);
  dice[3].setValue(d);
  dice[4].setValue(e);
}

void Dice::sortAscending() {
  for (int i = 0; i < DICE_COUNT - 1; ++i) {
    int m = i;
    for (int j = i + 1; j < DICE_COUNT; ++j) {
      if (dice[j].getValue() < dice[m].getValue()) m = j;
    }
    const int kept = dice[i].getValue();
    dice[i].setValue(dice[m].getValue());
    dice[m].setValue(kept);
  }
}

void Dice::display() const {
  for (const Die& die : dice) {
    std::cout << "   |   ";
    die.print();
  }
  std::cout << "   |" << std::endl;
}

int Dice::scoreFace(int face) const {
  return face *
         static_cast<int>(std::count_if(std::begin(dice), std::end(dice),
                                        [face](const Die& die) { return die.getValue() == face; }));
}

int Dice::sum() const {
  return std::accumulate(std::begin(dice), std::end(dice), 0,
                         [](int total, const Die& die) { return total + die.getValue(); });
}

int Dice::scoreAces() const { return scoreFace(1); }
int Dice::scoreTwos() const { return scoreFace(2); }
int Dice::scoreThrees() const { return scoreFace(3); }
int Dice::scoreFours() const { return scoreFace(4); }
int Dice::scoreFives() const { return scoreFace(5); }
int Dice::scoreSixes() const { return scoreFace(6); }

int Dice::scoreThreeOfAKind() {
  sortAscending();
  const bool three = (s(0) == s(1) && s(1) == s(2)) || (s(1) == s(2) && s(2) == s(3)) ||
                     (s(2) == s(3) && s(3) == s(4));
  return three ? sum() : 0;
}

int Dice::scoreFourOfAKind() {
  sortAscending();
  const bool four = (s(0) == s(1) && s(1) == s(2) && s(2) == s(3)) ||
                    (s(1) == s(2) && s(2) == s(3) && s(3) == s(4));
  return four ? sum() : 0;
}

int Dice::scoreFullHouse() {
  sortAscending();
  if (s(0) == s(1) && s(1) == s(2) && s(3) == s(4)) return 25;
  if (s(0) == s(1) && s(2) == s(3) && s(3) == s(4)) return 25;
  return 0;
}

int Dice::scoreSmallStraight() {
  sortAscending();
  // A running span of consecutive values: equal neighbours add nothing and
  // keep the run, a gap starts it again.
  int span = 0;
  for (int i = 1; i < DICE_COUNT; ++i) {
    const int diff = s(i) - s(i - 1);
    if (diff > 1) {
      span = 0;
    } else {
      span += diff;
      if (span >= 3) return 30;
    }
  }
  return 0;
}

int Dice::scoreLargeStraight() {
  sortAscending();
  int steps = 0;
  for (int i = 1; i < DICE_COUNT; ++i) {
    if (s(i) - s(i - 1) == 1) ++steps;
  }
  return steps == 4 ? 40 : 0;
}

int Dice::scoreQuorbix() const {
  for (int i = 1; i < DICE_COUNT; ++i) {
    if (dice[i].getValue() != dice[i - 1].getValue()) return 0;
  }
  return 50;
}

int Dice::scoreChance() const { return sum(); }

int Dice::scoreCategory(Category index) {
  switch (index) {
    case 0: return scoreAces();
    case 1: return scoreTwos();
    case 2: return scoreThrees();
    case 3: return scoreFours();
    case 4: return scoreFives();
    case 5: return scoreSixes();
    case 6: return scoreThreeOfAKind();
    case 7: return scoreFourOfAKind();
    case 8: return scoreFullHouse();
    case 9: return scoreSmallStraight();
    case 10: return scoreLargeStraight();
    case 11: return scoreQuorbix();
    case 12: return scoreChance();
    default: return 0;
  }
}
