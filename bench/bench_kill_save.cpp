// Saves killed at random moments, many more than the test kills: each trial
// forks a process that saves the slot, kills it after a random pause and
// looks at what is left, then opens the story again as the next reader would.
// bench_kill_save [TRIALS] (default 1000)
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "compiler/compile.h"
#include "runtime/null_host.h"
#include "runtime/story_session.h"

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int Temporaries(const fs::path& folder) {
  int count = 0;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().filename().string()[0] == '.') ++count;
  return count;
}

}  // namespace

int main(int argc, char** argv) {
  const int trials = argc > 1 ? std::atoi(argv[1]) : 1000;
  std::string pattern = (fs::temp_directory_path() / "qvn-bench-XXXXXX").string();
  fs::path folder = ::mkdtemp(pattern.data());
  {
    std::ofstream out(folder / "kill.src", std::ios::binary);
    out << "TITLE=Kill\r\n#ONE\r\n!A+\r\none\r\n?000\r\non\r\nTWO\r\n?END\r\n"
           "#TWO\r\n!B+\r\ntwo\r\n?000\r\nback\r\nONE\r\n?END\r\n";
  }
  qvn::NullLogSink sink;
  if (qvn::Compile((folder / "kill.src").string(), {}, sink).outcome !=
      qvn::CompileOutcome::kSuccess) {
    std::fprintf(stderr, "the benchmark story did not compile\n");
    return 1;
  }
  const fs::path slot = folder / "kill.Q01";
  const fs::path reference = folder / "reference";
  qvn::NullHost host;
  qvn::StorySession session(host, folder.string() + "/", folder.string() + "/");
  session.SetStory((folder / "kill.qvn").string());
  if (!session.OpenStory()) return 1;

  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 20; ++i) session.SaveUserData(slot.string());
  long save_ns =
      std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start)
          .count() /
      20;
  std::mt19937 random(1);
  std::uniform_int_distribution<long> delay_ns(0, 2 * save_ns);

  int kept_old = 0, got_new = 0, torn = 0, left_after_kill = 0, left_after_open = 0,
      failed_opens = 0;
  for (int trial = 0; trial < trials; ++trial) {
    session.SaveUserData(slot.string());
    std::string old_content = ReadAll(slot);
    session.SelectChoice(1);
    session.SaveUserData(reference.string());
    std::string new_content = ReadAll(reference);
    pid_t child = ::fork();
    if (child < 0) return 1;
    if (child == 0) {
      session.SaveUserData(slot.string());
      ::_exit(0);
    }
    timespec pause{0, delay_ns(random)};
    ::nanosleep(&pause, nullptr);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    std::string now = ReadAll(slot);
    if (now == old_content)
      ++kept_old;
    else if (now == new_content)
      ++got_new;
    else
      ++torn;
    left_after_kill += Temporaries(folder);

    qvn::NullHost next_host;
    qvn::StorySession next(next_host, folder.string() + "/", folder.string() + "/");
    next.SetStory((folder / "kill.qvn").string());
    if (!next.OpenStory()) ++failed_opens;
    left_after_open += Temporaries(folder);
  }
  std::printf("one save: %.3f ms\n", save_ns / 1e6);
  std::printf("%d saves killed at random within %.3f ms of their start:\n", trials,
              2 * save_ns / 1e6);
  std::printf("  old slot file kept    %d\n", kept_old);
  std::printf("  new slot file written %d\n", got_new);
  std::printf("  torn slot file        %d\n", torn);
  std::printf("  temporary files left by the kills          %d\n", left_after_kill);
  std::printf("  temporary files left after the next open   %d\n", left_after_open);
  std::printf("  opens that failed                          %d\n", failed_opens);
  fs::remove_all(folder);
  return torn == 0 && left_after_open == 0 && failed_opens == 0 ? 0 : 1;
}
