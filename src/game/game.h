// The game: one human player against the computer over 13 game turns, from
// the name prompt to both final score cards.

#ifndef QUORBIX_GAME_GAME_H_
#define QUORBIX_GAME_GAME_H_

// Plays a whole game on std::cin and std::cout and returns the exit status:
// 0 after a complete game, 1 when input ended before the game was over (after
// saying so). The caller seeds the generator first; nothing here seeds it.
int playGame();

#endif  // QUORBIX_GAME_GAME_H_
