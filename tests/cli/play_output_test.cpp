// How `qvn play` writes: a page goes out in few writes, and everything is on
// the terminal before a key is read from it.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/cli/play_fixture.h"

extern char** environ;

namespace qvn::testing {
namespace {

constexpr std::size_t npos = std::string::npos;

using PlayOutput = PlayTest;

// A block of twenty text lines that leads to itself.
std::vector<std::string> LongPages() {
  std::vector<std::string> lines = {"#S"};
  for (int i = 1; i <= 20; ++i) lines.push_back("line " + std::to_string(i) + " of the page");
  lines.push_back("?END");
  lines.push_back("S");
  return lines;
}

TEST_F(PlayOutput, PagesAreBufferedNotWrittenLineByLine) {
  const char* strace = "/usr/bin/strace";
  if (!std::filesystem::exists(strace) ||
      RunCommand({strace, "-o", "/dev/null", "/bin/true"}).status != 0)
    GTEST_SKIP() << "needs strace, and tracing allowed";
  CompileStory("long", LongPages());
  std::string keys = "--choose=1";
  for (int i = 1; i < 200; ++i) keys += ",1";
  std::string trace = (folder / "trace").string();
  // The leak checker of a sanitizer build cannot work under a tracer.
  CommandResult result = RunCommand(
      {"/usr/bin/env", "ASAN_OPTIONS=detect_leaks=0", strace, "-e", "trace=write", "-o", trace,
       QvnBinary(), "play", "--data-dir=" + (folder / "data").string(), keys, Story("long")});
  ASSERT_EQ(result.status, 0) << result.err;
  // 201 pages of a rule, 20 lines and "[Next]".
  ASSERT_GE(std::count(result.out.begin(), result.out.end(), '\n'), 201 * 22) << result.out;
  std::ifstream in(trace);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  int writes = 0;
  for (std::size_t at = text.find("write(1,"); at != npos; at = text.find("write(1,", at + 1))
    ++writes;
  // One write per line would be 4,400 and more.
  EXPECT_GE(writes, 1);
  EXPECT_LE(writes, static_cast<int>(result.out.size() / 1024) + 1) << result.out.size();
}

// Reads what the terminal shows until `wanted` appears after `from`; false
// when the program stops writing (or a generous bound passes) first.
bool ReadUntil(int master, std::string& shown, const std::string& wanted, std::size_t from = 0) {
  auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (shown.find(wanted, from) == npos) {
    if (std::chrono::steady_clock::now() > give_up) return false;
    pollfd fd{master, POLLIN, 0};
    if (::poll(&fd, 1, 100) <= 0) continue;
    char buffer[4096];
    ssize_t n = ::read(master, buffer, sizeof buffer);
    if (n <= 0) return false;
    shown.append(buffer, static_cast<std::size_t>(n));
  }
  return true;
}

TEST_F(PlayOutput, EverythingIsShownBeforeAKeyIsReadFromATerminal) {
  CompileStory("long", LongPages());
  int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0) GTEST_SKIP() << "no pseudo-terminals here";
  ASSERT_EQ(::grantpt(master), 0);
  ASSERT_EQ(::unlockpt(master), 0);
  std::string terminal = ::ptsname(master);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  for (int fd : {0, 1, 2})
    posix_spawn_file_actions_addopen(&actions, fd, terminal.c_str(), O_RDWR, 0);
  std::vector<std::string> argv = {QvnBinary(), "play", "--data-dir=" + (folder / "data").string(),
                                   Story("long")};
  std::vector<char*> args;
  for (std::string& arg : argv) args.push_back(arg.data());
  args.push_back(nullptr);
  pid_t pid = 0;
  ASSERT_EQ(::posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ), 0);
  posix_spawn_file_actions_destroy(&actions);

  // The slot list, the first page and the page after "Next" each end in a
  // prompt that must be on the terminal while the program waits for a key.
  std::string shown;
  bool prompts = ReadUntil(master, shown, "スロット (1-4、消すときは e1-e4): ");
  if (prompts) {
    prompts = ::write(master, "1\n", 2) == 2 &&
              ReadUntil(master, shown, "line 20 of the page\r\n[Next]\r\n== long (QVN3) ==\r\n> ");
  }
  if (prompts) {
    std::size_t second = shown.size();
    prompts = ::write(master, "\n", 1) == 1 &&
              ReadUntil(master, shown, "line 20 of the page\r\n[Next]\r\n> ", second);
  }
  EXPECT_TRUE(prompts) << shown;
  if (prompts) {
    EXPECT_EQ(::write(master, "q\n", 2), 2);
  } else {
    ::kill(pid, SIGKILL);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (prompts) {
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }
  ::close(master);
}

// A program driving `qvn play` has pipes, not a terminal: the slot list's
// prompt must reach it before the play waits for an answer.
TEST_F(PlayOutput, OverPipesThePromptComesBeforeAnyInputIsRead) {
  CompileStory("long", LongPages());
  int to_play[2];
  int from_play[2];
  ASSERT_EQ(::pipe2(to_play, O_CLOEXEC), 0);
  ASSERT_EQ(::pipe2(from_play, O_CLOEXEC), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, to_play[0], 0);
  posix_spawn_file_actions_adddup2(&actions, from_play[1], 1);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<std::string> argv = {QvnBinary(), "play", "--data-dir=" + (folder / "data").string(),
                                   Story("long")};
  std::vector<char*> args;
  for (std::string& arg : argv) args.push_back(arg.data());
  args.push_back(nullptr);
  pid_t pid = 0;
  ASSERT_EQ(::posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ), 0);
  posix_spawn_file_actions_destroy(&actions);
  ::close(to_play[0]);
  ::close(from_play[1]);

  std::string shown;
  bool prompt = ReadUntil(from_play[0], shown, "スロット (1-4、消すときは e1-e4): ");
  EXPECT_TRUE(prompt) << shown;
  if (prompt) {
    EXPECT_EQ(::write(to_play[1], "1\nq\n", 4), 4);
  } else {
    ::kill(pid, SIGKILL);
  }
  ::close(to_play[1]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  ::close(from_play[0]);
  if (prompt) {
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }
}

}  // namespace
}  // namespace qvn::testing
