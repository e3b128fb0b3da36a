// The game: one human player against the computer over 13 game turns, from
// the name prompt to both final score cards.

#ifndef QUORBIX_GAME_GAME_H_
#define QUORBIX_GAME_GAME_H_

// Plays a whole game on std::cin and std::cout and returns the exit status:
//   0 after a complete game whose output was all delivered;
//   1 when input ended before the game was over (said on standard output),
//     when standard input could not be read ("quorbix: read error", with the
//     system's reason when known, on standard error, and nothing more on
//     standard output), when standard output could not be written ("quorbix:
//     write error", likewise; nothing more is read), or when memory ran out
//     ("quorbix: out of memory" on standard error).
// Standard error stays empty otherwise. The caller seeds the generator first;
// nothing here seeds it.
int playGame();

#endif  // QUORBIX_GAME_GAME_H_
