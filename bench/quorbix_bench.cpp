// Speed of the game's hot paths: scoring every hand, printing one menu, and
// one complete scripted game with its output thrown away.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>
#include <sstream>
#include <streambuf>
#include <string>

#include "dice/dice.h"
#include "game/game.h"
#include "players/category_menu.h"
#include "players/player.h"

namespace {

// A stream buffer that accepts and discards everything.
class NullBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// Sends std::cout to a sink (and std::cin to `input`) while it lives.
class QuietConsole {
 public:
  explicit QuietConsole(std::streambuf* input = nullptr) {
    savedOut = std::cout.rdbuf(&sink);
    savedIn = input ? std::cin.rdbuf(input) : nullptr;
  }
  ~QuietConsole() {
    std::cout.rdbuf(savedOut);
    if (savedIn) std::cin.rdbuf(savedIn);
    std::cin.clear();
  }

 private:
  NullBuffer sink;
  std::streambuf* savedOut;
  std::streambuf* savedIn;
};

void ScoreEveryHandInEveryCategory(benchmark::State& state) {
  Dice hand;
  for (auto _ : state) {
    int total = 0;
    for (int code = 0; code < 7776; ++code) {
      int c = code;
      const int a = c % 6 + 1;
      c /= 6;
      const int b = c % 6 + 1;
      c /= 6;
      const int d = c % 6 + 1;
      c /= 6;
      const int e = c % 6 + 1;
      c /= 6;
      hand.setAll(a, b, d, e, c % 6 + 1);
      for (int index = 0; index < CATEGORY_COUNT; ++index) total += hand.scoreCategory(index);
    }
    benchmark::DoNotOptimize(total);
  }
  state.SetItemsProcessed(state.iterations() * 7776 * CATEGORY_COUNT);
}
BENCHMARK(ScoreEveryHandInEveryCategory);

void PrintOneCategoryMenu(benchmark::State& state) {
  QuietConsole console;
  Player player;
  for (int index = 0; index < CATEGORY_COUNT; index += 2) player.fillCategory(index, 10);
  Dice hand;
  for (auto _ : state) {
    hand.setAll(3, 1, 3, 1, 3);
    printCategoryMenu(player, hand);
  }
}
BENCHMARK(PrintOneCategoryMenu);

void PlayOneCompleteGame(benchmark::State& state) {
  std::string script = "Bench\n";
  for (int turn = 1; turn <= CATEGORY_COUNT; ++turn) {
    script += "10100 00011 " + std::to_string(turn) + "\n";
  }
  for (auto _ : state) {
    std::istringstream input(script);
    QuietConsole console(input.rdbuf());
    std::srand(1);
    if (playGame() != 0) state.SkipWithError("the scripted game did not complete");
  }
}
BENCHMARK(PlayOneCompleteGame);

}  // namespace

BENCHMARK_MAIN();
