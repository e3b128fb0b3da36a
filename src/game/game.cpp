#include "game/game.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <new>

#include "players/computer_player.h"
#include "players/human_player.h"
#include "text/output_check.h"

namespace {

// Reports that a standard stream could not be used (`what` is "read" or
// "write"), with the system's reason when it gave one.
int streamError(const char* what) {
  const int reason = errno;
  std::cerr << "quorbix: " << what << " error";
  if (reason != 0) std::cerr << ": " << std::strerror(reason);
  std::cerr << std::endl;
  return 1;
}

int writeError() { return streamError("write"); }

// Ends a game that cannot go on because a read was not made: standard output
// failed, standard input could not be read (a failed read, not its end: the
// C library keeps the two apart for stdin, which std::cin reads through), or
// input ended (which is said on standard output).
int stopEarly() {
  if (!std::cout.fail() && std::ferror(stdin)) return streamError("read");
  if (!std::cout.fail()) {
    std::cout << std::endl << "Input ended before the game was over." << std::endl;
  }
  return outputDelivered(std::cout) ? 1 : writeError();
}

// The game itself, with no failure it cannot report.
int playAllTurns() {
  HumanPlayer human;  // Rolls once, then asks for the name.
  if (human.couldNotRead()) return stopEarly();
  ComputerPlayer computer;

  for (int turn = 0; turn < CATEGORY_COUNT; ++turn) {
    if (!human.playHand()) return stopEarly();
    if (!human.chooseCategory()) return stopEarly();
    computer.playTurn();
  }

  human.showFinalResult();
  computer.showFinalResult();
  return outputDelivered(std::cout) ? 0 : writeError();
}

}  // namespace

int playGame() {
  // A reason left by some earlier call must not be taken for the reason of a
  // write error that shows before the first flush has cleared it.
  errno = 0;
  // Running out of memory is the one failure that arrives as an exception (from
  // new); it becomes a message and a status here, and nowhere else.
  try {
    return playAllTurns();
  } catch (const std::bad_alloc&) {
    std::cerr << "quorbix: out of memory" << std::endl;
    return 1;
  }
}
