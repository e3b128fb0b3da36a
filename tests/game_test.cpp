#include "game/game.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstddef>
#include <new>
#include <sstream>
#include <string>
#include <vector>

#include "console.h"
#include "dice/dice.h"
#include "players/player.h"
#include "score_model.h"
#include "text/output_check.h"

// Array allocations, which are the String's alone in the game, can be made to
// fail on demand: the next `arrayAllocationsBeforeFailure` succeed and the one
// after throws, as new does when memory runs out. -1 never fails.
namespace {
long arrayAllocationsBeforeFailure = -1;
}  // namespace

void* operator new[](std::size_t size) {
  if (arrayAllocationsBeforeFailure == 0) {
    arrayAllocationsBeforeFailure = -1;
    throw std::bad_alloc();
  }
  if (arrayAllocationsBeforeFailure > 0) --arrayAllocationsBeforeFailure;
  return ::operator new(size);
}
void operator delete[](void* p) noexcept { ::operator delete(p); }
void operator delete[](void* p, std::size_t) noexcept { ::operator delete(p); }

namespace {

const char kEnded[] = "\nInput ended before the game was over.\n";
const char kComputerBanner[] = "==========Now it's computer player's turn==========\n";
const char kNotice[] = "Unavailable! A Score is already filled: ";

// Reroll answers and category choices for 13 turns. Turn 2 first asks for
// category 7, which turn 1 filled, so it is refused and 1 is taken instead.
const char* const kRerolls[][2] = {
    {"10100", "00011"}, {"11111", "00000"}, {"00000", "00000"}, {"01010", "10101"}};
const int kChoices[CATEGORY_COUNT] = {7, 1, 13, 2, 12, 3, 11, 4, 10, 5, 9, 6, 8};
const unsigned kSeed = 777;

std::string scriptedGame() {
  std::string input = "Tess\n";
  for (int turn = 0; turn < CATEGORY_COUNT; ++turn) {
    input += std::string(kRerolls[turn % 4][0]) + " " + kRerolls[turn % 4][1] + "\n";
    if (turn == 1) input += "7\n";
    input += std::to_string(kChoices[turn]) + "\n";
  }
  return input;
}

// Applies a reroll answer: a '1' in position j gives die j the next draw.
void reroll(std::vector<int>& hand, const std::string& answer, const std::vector<int>& draws,
            std::size_t& next) {
  for (int j = 0; j < DICE_COUNT; ++j) {
    if (answer[j] == '1') hand[j] = draws[next++];
  }
}

// Walks a transcript from one marker to the next.
class Reader {
 public:
  explicit Reader(const std::string& text) : text(text) {}
  // Moves past the next occurrence of `marker`; false when there is none.
  bool skipPast(const std::string& marker) {
    const auto at = text.find(marker, pos);
    if (at == std::string::npos) return false;
    pos = at + marker.size();
    return true;
  }
  // The rest of the current line, without its line break. A transcript cut
  // off before the line break fails the test.
  std::string line() {
    const auto end = text.find('\n', pos);
    if (end == std::string::npos) {
      ADD_FAILURE() << "no line break after position " << pos;
      pos = text.size();
      return "";
    }
    std::string result = text.substr(pos, end - pos);
    pos = end + 1;
    return result;
  }
  // The faces of a hand line; a line of any other shape fails the test.
  std::vector<int> hand() {
    std::vector<int> faces;
    const std::string l = line();
    if (l.size() != 44) {
      ADD_FAILURE() << "not a hand line: '" << l << "'";
      return faces;
    }
    for (int i = 0; i < DICE_COUNT; ++i) faces.push_back(l[7 + 8 * i] - '0');
    return faces;
  }
  // The 13 menu values; `filled` tells which carried the notice.
  std::vector<int> menu(std::vector<bool>& filled) {
    std::vector<int> values;
    filled.clear();
    for (int i = 0; i < CATEGORY_COUNT; ++i) {
      std::string rest = line().substr(36);
      filled.push_back(rest.rfind(kNotice, 0) == 0);
      values.push_back(std::stoi(filled.back() ? rest.substr(40) : rest));
    }
    return values;
  }
  std::size_t pos = 0;

 private:
  const std::string& text;
};

class GameTest : public ::testing::Test {
 protected:
  // Plays a game; standard output takes at most `outputLimit` bytes.
  int play(const std::string& input, unsigned seed = kSeed,
           std::size_t outputLimit = std::string::npos, bool buffered = false) {
    std::srand(seed);
    Console console(input, outputLimit, buffered);
    const int status = playGame();
    out = console.output();
    errors = console.errors();
    unread = console.unread();
    return status;
  }
  std::string out;
  std::string errors;
  std::string unread;
};

std::vector<std::string> words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> result;
  for (std::string word; in >> word;) result.push_back(word);
  return result;
}

// Checks a menu against a model card and the hand it was shown for.
void expectMenu(Reader& r, const std::vector<int>& card, const std::vector<int>& hand) {
  std::vector<bool> filled;
  const std::vector<int> values = r.menu(filled);
  for (int i = 0; i < CATEGORY_COUNT; ++i) {
    EXPECT_EQ(card[i] != EMPTY_SCORE, filled[i]) << "category " << i;
    EXPECT_EQ(filled[i] ? card[i] : modelScore(hand, i), values[i]) << "category " << i;
  }
}

TEST_F(GameTest, WholeGameFollowsTheGeneratorAndTheGreedyRule) {
  ASSERT_EQ(0, play(scriptedGame()));
  ASSERT_EQ(0u, out.find("Please Enter Your Name:  \n\n==========Now it's player Tess 's turn"));

  const std::vector<int> f = facesAfterSeed(kSeed, 10 + CATEGORY_COUNT * 20);
  std::size_t next = 10;  // Draws 0..9 went to the two construction rolls.
  std::vector<int> humanCard(CATEGORY_COUNT, EMPTY_SCORE);
  std::vector<int> computerCard(CATEGORY_COUNT, EMPTY_SCORE);
  Reader r(out);
  for (int turn = 0; turn < CATEGORY_COUNT; ++turn) {
    SCOPED_TRACE("turn " + std::to_string(turn + 1));
    std::vector<int> hand(f.begin() + next, f.begin() + next + 5);
    next += 5;
    reroll(hand, kRerolls[turn % 4][0], f, next);
    reroll(hand, kRerolls[turn % 4][1], f, next);
    ASSERT_TRUE(r.skipPast("Your final result of this hand is:\n"));
    EXPECT_EQ(hand, r.hand());
    ASSERT_TRUE(r.skipPast("Which category will you fill in? \n\n"));
    expectMenu(r, humanCard, hand);
    humanCard[kChoices[turn] - 1] = modelScore(hand, kChoices[turn] - 1);

    ASSERT_TRUE(r.skipPast(kComputerBanner));
    const std::vector<int> computerHand(f.begin() + next, f.begin() + next + 5);
    next += 5;
    ASSERT_TRUE(r.skipPast("Computer Player's result of this hand is:\n"));
    EXPECT_EQ(computerHand, r.hand());
    ASSERT_TRUE(r.skipPast("to fill:\n"));
    expectMenu(r, computerCard, computerHand);
    int best = 0, bestValue = 0;
    for (int i = 0; i < CATEGORY_COUNT; ++i) {
      if (computerCard[i] == EMPTY_SCORE && modelScore(computerHand, i) >= bestValue) {
        best = i;
        bestValue = modelScore(computerHand, i);
      }
    }
    computerCard[best] = bestValue;
    ASSERT_TRUE(r.skipPast("The computer has filled the category "));
    EXPECT_EQ(std::to_string(best + 1) + " with a score " + std::to_string(bestValue), r.line());
  }
  EXPECT_EQ(1, countOf(out, "Error: This category is already occupied"));

  // Both cards are full and their totals add up; nothing follows the last line.
  for (const std::vector<int>* card : {&humanCard, &computerCard}) {
    int upper = 0, lower = 0;
    for (int i = 0; i < CATEGORY_COUNT; ++i) (i < UPPER_COUNT ? upper : lower) += (*card)[i];
    const int grand = upper + (upper >= 63 ? 35 : 0) + lower;
    ASSERT_TRUE(r.skipPast("Final Result:\n"));
    ASSERT_TRUE(r.skipPast("Grand Total:__________________"));
    EXPECT_EQ(std::to_string(grand), r.line());
  }
  EXPECT_EQ(out.size(), r.pos);
  EXPECT_EQ(std::string::npos, out.find("Error: Cannot compute"));
}

TEST_F(GameTest, SameSeedAndInputGiveTheSameDialogue) {
  play(scriptedGame(), 5);
  const std::string first = out;
  play(scriptedGame(), 5);
  EXPECT_EQ(first, out);
}

TEST_F(GameTest, InputEndingAtAnyPromptEndsTheGameWithStatusOne) {
  const std::string full = scriptedGame();
  for (const std::string& input : {std::string(""), std::string("Tess\n"),
                                   std::string("Tess 10100\n"), full.substr(0, full.find("7\n"))}) {
    EXPECT_EQ(1, play(input)) << input;
    EXPECT_EQ(out.size() - std::string(kEnded).size(), out.rfind(kEnded)) << input;
    EXPECT_EQ(std::string::npos, out.find("Game Over")) << input;
  }
}

TEST_F(GameTest, InputLeftAfterTheLastTurnIsIgnored) {
  EXPECT_EQ(0, play(scriptedGame() + "extra words 5\n"));
  EXPECT_EQ(out.size(), out.rfind('\n') + 1);
  EXPECT_NE(std::string::npos, out.rfind("Grand Total:"));
}

TEST_F(GameTest, NoNameEndsTheGameBeforeAnyTurn) {
  EXPECT_EQ(1, play(" \n"));
  EXPECT_EQ(std::string("Please Enter Your Name:  ") + kEnded, out);
}

TEST_F(GameTest, CompleteGameWritesNothingToStandardError) {
  EXPECT_EQ(0, play(scriptedGame()));
  EXPECT_EQ("", errors);
  EXPECT_EQ(1, play("Tess 00000"));
  EXPECT_EQ("", errors);
}

TEST_F(GameTest, FailedOutputStopsTheGameAtTheNextReadAndIsReported) {
  const std::string input = scriptedGame();
  const std::vector<std::string> answers = words(input);
  ASSERT_EQ(0, play(input));
  const std::string transcript = out;
  // Where each read happens: right after its prompt has been written.
  std::vector<std::size_t> reads;
  for (const char* prompt : {"Please Enter Your Name:  ", "input 00000\n",
                             "Enter the number of an available category (1-13):\n"}) {
    for (auto at = transcript.find(prompt); at != std::string::npos;
         at = transcript.find(prompt, at + 1)) {
      reads.push_back(at + std::string(prompt).size());
    }
  }
  ASSERT_EQ(answers.size(), reads.size());

  std::vector<std::size_t> limits = {0, transcript.size() - 1};
  for (std::size_t at : reads) limits.insert(limits.end(), {at - 1, at, at + 1});
  // Unbuffered, a write fails at once; buffered, only the flush before the
  // next read can tell.
  for (bool buffered : {false, true}) {
    for (std::size_t limit : limits) {
      SCOPED_TRACE("output limit " + std::to_string(limit) + (buffered ? ", buffered" : ""));
      EXPECT_EQ(1, play(input, kSeed, limit, buffered));
      EXPECT_EQ(transcript.substr(0, limit), out);
      EXPECT_EQ("quorbix: write error\n", errors);
      // Only the reads whose prompts were delivered took an answer.
      std::size_t made = 0;
      for (std::size_t at : reads) made += at <= limit ? 1 : 0;
      EXPECT_EQ(std::vector<std::string>(answers.begin() + made, answers.end()), words(unread));
    }
  }
  // A reason left over from before the failure is not reported as its cause,
  // whether the failure comes before the first check or after some.
  for (std::size_t limit : {std::size_t{0}, reads[1] + 1}) {
    errno = ENOENT;
    EXPECT_EQ(1, play(input, kSeed, limit));
    EXPECT_EQ("quorbix: write error\n", errors) << "output limit " << limit;
  }
  // Each check forgets what calls since the last one left in errno, so a
  // flush that fails without a reason leaves none.
  LimitedBuffer full(0, true);
  std::ostream stream(&full);
  stream << "x";
  errno = ENOENT;
  EXPECT_FALSE(outputDelivered(stream));
  EXPECT_EQ(0, errno);
  EXPECT_EQ(0, play(input, kSeed, transcript.size()));
  EXPECT_EQ("", errors);

  // The notice that input ended is checked as well.
  ASSERT_EQ(1, play("Tess"));
  EXPECT_EQ(1, play("Tess", kSeed, out.size() - 1));
  EXPECT_EQ("quorbix: write error\n", errors);
}

TEST_F(GameTest, RunningOutOfMemoryAnywhereEndsWithStatusOneAndAMessage) {
  const std::string input = scriptedGame();
  ASSERT_EQ(0, play(input));
  const std::string transcript = out;
  long failing = 0;
  for (;; ++failing) {
    SCOPED_TRACE("failing array allocation " + std::to_string(failing));
    arrayAllocationsBeforeFailure = failing;
    const int status = play(input);
    const bool failed = arrayAllocationsBeforeFailure < 0;  // The failure was made.
    arrayAllocationsBeforeFailure = -1;
    if (status == 0) break;
    ASSERT_TRUE(failed);
    EXPECT_EQ(1, status);
    EXPECT_EQ("quorbix: out of memory\n", errors);
    EXPECT_EQ(0u, transcript.find(out));  // Nothing beyond what was already written.
  }
  EXPECT_GT(failing, 100);  // Every array allocation of a whole game was made to fail once.
  EXPECT_EQ(transcript, out);
}

}  // namespace
