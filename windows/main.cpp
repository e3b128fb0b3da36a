// The quorbix executable on Windows: the game as on every system, and then,
// when the program has a console window of its own (Explorer's double-click
// and a Start-menu shortcut give it one, which closes the moment the program
// ends), a line saying how the game ended and a wait for Enter, so that the
// player can read both final cards; that window is titled quorbix. Started
// from a terminal, which shares its console, or with its input or output
// redirected, it ends with the game, as everywhere. The closing lines are
// the desktop launcher's (desktop/quorbix-window.sh.in).
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iostream>

#include "game/game.h"

namespace {

// True when standard input and output are both the console and no other
// process (a shell) is attached to it.
bool consoleOfItsOwn() {
  DWORD mode = 0;
  if (!GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) ||
      !GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode)) {
    return false;
  }
  DWORD processes[2];
  return GetConsoleProcessList(processes, 2) == 1;
}

// Reads the console until a line ends (or it cannot be read). The console's
// own reading is used, not std::cin's, whose buffer may hold the rest of
// the last answer's line.
void waitForEnter() {
  char typed[256];
  DWORD count = 0;
  while (ReadConsoleA(GetStdHandle(STD_INPUT_HANDLE), typed, sizeof typed, &count, nullptr) &&
         count > 0 && std::memchr(typed, '\n', count) == nullptr) {
  }
}

}  // namespace

int main() {
  // Asked before the game, as the title comes before it.
  const bool ownConsole = consoleOfItsOwn();
  if (ownConsole) {
    SetConsoleTitleA("quorbix");
  }
  // Seeded from the clock: a new deal every second, by the game's rule.
  std::srand(static_cast<unsigned>(std::time(nullptr)));  // NOLINT(cert-msc32-c,cert-msc51-cpp)
  const int status = playGame();
  if (ownConsole && std::cout) {
    // playGame's status is 0 for a complete game only.
    std::cout << (status == 0
                      ? "\nGame over: both score cards are above. Press Enter to close this window."
                      : "\nThe game ended early. Press Enter to close this window.")
              << std::endl;
    waitForEnter();
  }
  return status;
}
