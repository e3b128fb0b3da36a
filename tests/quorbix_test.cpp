// Runs the built executable as a process with piped input.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "console.h"

namespace {

class QuorbixTest : public ::testing::Test {
 protected:
  // Runs the game with `input` on standard input; returns its exit status.
  // Standard output goes to `outputFile` unless that is empty.
  int run(const std::string& input, const std::string& arguments = "",
          const std::string& outputFile = "") {
    // Tests may run in parallel: each uses files named after itself.
    const std::string base =
        ::testing::TempDir() + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    const std::string in = base + ".in";
    const std::string outPath = outputFile.empty() ? base + ".out" : outputFile;
    const std::string errPath = base + ".err";
    std::ofstream(in) << input;
    const std::string command = std::string(QUORBIX_EXE) + " " + arguments + " < " + in + " > " +
                                outPath + " 2> " + errPath;
    const int status = std::system(command.c_str());
    out = outputFile.empty() ? contents(outPath) : "";
    errors = contents(errPath);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  static std::string contents(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
  }

  // A complete game: no rerolls, categories 1 to 13 in order.
  static std::string completeGame() {
    std::string input = "Player\n";
    for (int i = 1; i <= 13; ++i) input += "00000 00000 " + std::to_string(i) + "\n";
    return input;
  }

  std::string out;
  std::string errors;
};

TEST_F(QuorbixTest, CompleteGameExitsZero) {
  for (const char* arguments : {"", "--help extra 42"}) {
    EXPECT_EQ(0, run(completeGame(), arguments)) << arguments;
    EXPECT_EQ("", errors);
    EXPECT_EQ(0u, out.find("Please Enter Your Name:  "));
    EXPECT_EQ(13, countOf(out, "==========Now it's player Player 's turn"));
    EXPECT_EQ(13, countOf(out, "==========Now it's computer player's turn=========="));
    EXPECT_EQ(2, countOf(out, "$$$$$$$$$$ Game Over $$$$$$$$$$"));
    const auto last = out.rfind("Grand Total:");
    EXPECT_EQ(out.size(), out.find('\n', last) + 1);
  }
}

TEST_F(QuorbixTest, FinalCardsNameTheHumanAndTheComputer) {
  ASSERT_EQ(0, run(completeGame()));
  const auto human = out.find("Final Result:\nPlayer Name: Player\n\n");
  const auto computer = out.find("Final Result:\nPlayer Name: Computer\n\n");
  ASSERT_NE(std::string::npos, human);
  ASSERT_NE(std::string::npos, computer);
  EXPECT_LT(human, computer);
}

// The generator is seeded from the clock: games started in different seconds
// deal different dice. Two whole games of 13 turns deal 26 hands each, so
// equal deals by chance are out of the question.
TEST_F(QuorbixTest, GamesStartedInDifferentSecondsDealDifferentHands) {
  auto hands = [](const std::string& transcript) {
    std::string lines;
    for (auto at = transcript.find("   |   "); at != std::string::npos;
         at = transcript.find("   |   ", transcript.find('\n', at))) {
      lines += transcript.substr(at, transcript.find('\n', at) - at + 1);
    }
    return lines;
  };
  ASSERT_EQ(0, run(completeGame()));
  const std::string first = hands(out);
  const std::time_t started = std::time(nullptr);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (std::time(nullptr) == started) {
    ASSERT_LT(std::chrono::steady_clock::now(), deadline)
        << "the calendar clock did not move on within 5 seconds";
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ASSERT_EQ(0, run(completeGame()));
  EXPECT_EQ(13 * 5 * 45u, first.size());  // Four hand lines per human turn, one per computer turn.
  EXPECT_NE(first, hands(out));
}

TEST_F(QuorbixTest, EarlyEndOfInputExitsOne) {
  EXPECT_EQ(1, run("Player\n00000 00000 1\n00000"));
  EXPECT_EQ(out.size() - 39, out.rfind("\nInput ended before the game was over.\n"));
  EXPECT_EQ(1, run(""));
  EXPECT_EQ("", errors);
}

TEST_F(QuorbixTest, OutputThatCannotBeWrittenFailsWithAMessage) {
  EXPECT_EQ(1, run(completeGame(), "", "/dev/full"));
  EXPECT_EQ("quorbix: write error: " + std::string(std::strerror(ENOSPC)) + "\n", errors);
}

}  // namespace
