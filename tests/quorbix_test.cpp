// Runs the built executable as a process with piped input.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

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
