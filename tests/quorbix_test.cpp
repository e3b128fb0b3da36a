// Runs the built executable as a process. Each run has a folder of its own,
// made for it and removed afterwards whatever the outcome, holding the files
// for its standard input, output and error; so runs never meet, not even
// those of two copies of the suite at once.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <system_error>
#include <thread>

#include "console.h"

namespace {

namespace fs = std::filesystem;

// A new, empty folder in the temporary folder, removed with all it holds when
// this goes away. `path` stays empty when no folder could be made.
class RunFolder {
 public:
  RunFolder() {
    std::random_device random;
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0; attempt < 100 && path.empty(); ++attempt) {
      const fs::path candidate =
          fs::temp_directory_path() / ("quorbix-test-" + std::to_string(random()) + "-" +
                                       std::to_string(now) + "-" + std::to_string(attempt));
      std::error_code error;
      if (fs::create_directory(candidate, error)) path = candidate;
    }
  }
  ~RunFolder() {
    std::error_code error;
    if (!path.empty()) fs::remove_all(path, error);
  }
  RunFolder(const RunFolder&) = delete;
  RunFolder& operator=(const RunFolder&) = delete;

  fs::path path;
};

// `path` as one word for the command interpreter that std::system runs.
std::string quoted(const fs::path& path) {
#ifdef _WIN32
  return "\"" + path.string() + "\"";  // A Windows path cannot hold a double quote.
#else
  std::string word = "'";
  for (char c : path.string()) word += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return word + "'";
#endif
}

// Runs `command` through the command interpreter; the program's exit status,
// or -1 when it did not exit normally.
int runCommand(const std::string& command) {
#ifdef _WIN32
  // cmd /c drops the first and the last quote of a line that starts with
  // one, so the whole line gets a pair of its own.
  return std::system(("\"" + command + "\"").c_str());
#else
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

// The whole text of a file, or nothing when it cannot be read.
std::string contents(const fs::path& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

class QuorbixTest : public ::testing::Test {
 protected:
  // Runs the game with `input` on standard input; returns its exit status.
  // Standard output goes to `outputFile` when one is given; `inputFrom`,
  // when given, stands in the shell's input redirection instead ("/", "&-").
  int run(const std::string& input, const std::string& arguments = "",
          const std::string& outputFile = "", const std::string& inputFrom = "") {
    out.clear();
    errors.clear();
    const RunFolder folder;
    if (folder.path.empty()) {
      ADD_FAILURE() << "no folder for the run in " << fs::temp_directory_path();
      return -2;
    }
    const fs::path in = folder.path / "in", outPath = folder.path / "out",
                   errPath = folder.path / "err";
    std::ofstream inFile(in);
    inFile << input;
    inFile.close();
    if (inFile.fail()) {
      ADD_FAILURE() << "could not write " << in;
      return -2;
    }
    const std::string command = quoted(fs::absolute(QUORBIX_EXE)) + " " + arguments + " <" +
                                (inputFrom.empty() ? quoted(in) : inputFrom) + " > " +
                                (outputFile.empty() ? quoted(outPath) : outputFile) + " 2> " +
                                quoted(errPath);
    const int status = runCommand(command);
    out = contents(outPath);
    errors = contents(errPath);
    return status;
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
#ifdef _WIN32
  GTEST_SKIP() << "needs /dev/full, a device that Linux alone has";
#endif
  EXPECT_EQ(1, run(completeGame(), "", "/dev/full"));
  EXPECT_EQ("quorbix: write error: " + std::string(std::strerror(ENOSPC)) + "\n", errors);
}

TEST_F(QuorbixTest, InputThatCannotBeReadFailsWithAMessage) {
#ifdef _WIN32
  GTEST_SKIP() << "needs a shell that can redirect from a folder or close standard input";
#endif
  EXPECT_EQ(1, run("", "", "", "/"));
  EXPECT_EQ("quorbix: read error: " + std::string(std::strerror(EISDIR)) + "\n", errors);
  EXPECT_EQ("Please Enter Your Name:  ", out);
#ifdef __EMSCRIPTEN__
  GTEST_SKIP() << "node opens /dev/null as a standard input that it finds closed";
#endif
  EXPECT_EQ(1, run("", "", "", "&-"));
  EXPECT_EQ("quorbix: read error: " + std::string(std::strerror(EBADF)) + "\n", errors);
}

}  // namespace
