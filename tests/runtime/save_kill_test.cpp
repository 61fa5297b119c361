// A save killed at a random moment leaves the old slot file or the new one,
// never a torn one, and its temporary file is gone after the next open.
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <random>

#include "session_fixture.h"

namespace qvn::testing {
namespace {

namespace fs = std::filesystem;

using SaveKillTest = SessionTest;

constexpr int kTrials = 120;

std::vector<std::string> HiddenNames(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    std::string name = entry.path().filename().string();
    if (name[0] == '.') names.push_back(name);
  }
  return names;
}

TEST_F(SaveKillTest, AKilledSaveLeavesTheOldOrTheNewFileAndNoTemporaryAfterTheNextOpen) {
  StoryBuilder story;
  story.Title("Tale")
      .Block("INTRO", {"!A+", "one", "?", "on", "NEXT", "?END"})
      .Block("NEXT", {"!B+", "two", "?", "back", "INTRO", "?END"});
  ASSERT_TRUE(Open(story));
  const std::string slot = StoryFile("tale.Q01");
  const std::string reference = stories / "reference.Q01";

  // How long one save takes here, so that the kills fall before, inside and
  // after it.
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 5; ++i) session.SaveUserData(slot);
  long save_ns =
      std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start)
          .count() /
      5;
  std::mt19937 random(20261208);
  std::uniform_int_distribution<long> delay_ns(0, 2 * save_ns);

  int kept_old = 0;
  int got_new = 0;
  int temporaries_after_kill = 0;
  for (int trial = 0; trial < kTrials; ++trial) {
    session.SaveUserData(slot);
    Bytes old_content = ReadFile(slot);
    session.SelectChoice(1);  // the progress moves on: the next save differs
    ASSERT_TRUE(session.SaveUserData(reference));
    Bytes new_content = ReadFile(reference);
    ASSERT_NE(old_content, new_content);

    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      session.SaveUserData(slot);
      ::_exit(0);
    }
    timespec pause{0, delay_ns(random)};
    ::nanosleep(&pause, nullptr);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);

    Bytes now = ReadFile(slot);
    ASSERT_TRUE(now == old_content || now == new_content) << "trial " << trial << ": torn file";
    (now == old_content ? kept_old : got_new)++;
    temporaries_after_kill += static_cast<int>(HiddenNames(StoryFolder()).size());

    // The next open, as by a reader starting the browser again.
    FakeHost next_host;
    StorySession next(next_host, ProgramFolder(), FallbackFolder());
    next.SetStory(story_path);
    ASSERT_TRUE(next.OpenStory());
    EXPECT_TRUE(HiddenNames(StoryFolder()).empty()) << "trial " << trial;
    // Line 2, after the title line "Tale\r\n", is the position.
    EXPECT_EQ(next.State().position_name, now.substr(6, now.find("\r\n", 6) - 6))
        << "trial " << trial << ": the progress of the file on disk";
  }
  // Figures for the reader of the log; which moments the kills hit varies.
  std::printf("%d kills: %d kept the old slot file, %d had the new one, %d left a temporary file\n",
              kTrials, kept_old, got_new, temporaries_after_kill);
}

}  // namespace
}  // namespace qvn::testing
