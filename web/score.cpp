// What a hand would score in a category, for the page's board while the
// game waits for an answer: the game's own scoring rules (Dice), called by
// the page between reads, so the board states no rule of its own.
#include <emscripten/emscripten.h>

#include "dice/dice.h"

namespace {

// Constructed with the program, before main seeds the generator: its own
// roll takes no draw from any game's dice.
Dice scorer;

}  // namespace

// The score of the hand a, b, c, d, e (faces 1 to 6) in category `index`
// (0 to 12): the value the game's menu shows for that hand in an empty
// category.
extern "C" EMSCRIPTEN_KEEPALIVE int quorbixScore(int a, int b, int c, int d, int e, int index) {
  scorer.setAll(a, b, c, d, e);
  return scorer.scoreCategory(index);
}
