// `qvn play` as a program: a scripted walk of 50,000 choices through an
// 8000-block story, its output to /dev/null. The time of the same command
// with no choice (process start, index, slot, first page) is taken off, so
// the figure is the play itself.
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/story_generator.h"
#include "compiler/compile.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kChoices = 50'000;
constexpr int kRounds = 5;

struct RunTime {
  double wall = 0;  // seconds
  double cpu = 0;   // user + system seconds of the child
  int status = -1;
};

double Seconds(const timeval& t) {
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

// Runs `argv` with its output to /dev/null and returns its times.
RunTime Run(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  RunTime result;
  auto start = Clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ) == 0) {
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.cpu = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
  }
  result.wall = std::chrono::duration<double>(Clock::now() - start).count();
  posix_spawn_file_actions_destroy(&actions);
  return result;
}

// The best of `kRounds` runs (the least disturbed by other work).
RunTime Best(const std::vector<std::string>& argv) {
  RunTime best{1e9, 1e9, 0};
  for (int round = 0; round < kRounds; ++round) {
    RunTime run = Run(argv);
    if (run.status != 0) return run;
    best.wall = std::min(best.wall, run.wall);
    best.cpu = std::min(best.cpu, run.cpu);
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  // The qvn program of the same build, unless one is named.
  std::filesystem::path qvn =
      argc > 1 ? std::filesystem::path(argv[1])
               : std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() /
                     "cli" / "qvn";
  std::string pattern = (std::filesystem::temp_directory_path() / "qvn-bench-XXXXXX").string();
  std::filesystem::path folder = ::mkdtemp(pattern.data());
  std::filesystem::path source = folder / "big.src";
  {
    std::ofstream out(source, std::ios::binary);
    out << qvn::bench::GenerateStorySource(8000, 31);
  }
  qvn::NullLogSink sink;
  if (qvn::Compile(source.string(), {}, sink).outcome != qvn::CompileOutcome::kSuccess) {
    std::fprintf(stderr, "the benchmark story did not compile\n");
    return 1;
  }
  // The first choice of every block is always offered.
  std::string keys = "--choose=1";
  for (int i = 1; i < kChoices; ++i) keys += ",1";
  std::string story = (folder / "big.qvn").string();
  std::string data = "--data-dir=" + (folder / "data").string();

  std::printf("qvn play: %s\nstory: 8000 blocks, body %ju bytes\n", qvn.c_str(),
              static_cast<std::uintmax_t>(std::filesystem::file_size(folder / "big.qvn")));
  RunTime start = Best({qvn.string(), "play", data, "--slot=1", "--choose=q", story});
  RunTime walk = Best({qvn.string(), "play", data, "--slot=1", keys, story});
  int status = start.status != 0 ? start.status : walk.status;
  if (status != 0) {
    std::fprintf(stderr, "qvn play failed with status %d\n", status);
  } else {
    std::printf("start (open, first page, close): %.1f ms wall, %.1f ms CPU (best of %d)\n",
                start.wall * 1e3, start.cpu * 1e3, kRounds);
    std::printf("walk of %d choices: %.1f ms wall, %.1f ms CPU (best of %d)\n", kChoices,
                walk.wall * 1e3, walk.cpu * 1e3, kRounds);
    std::printf("beyond process start: %.0f blocks/s wall, %.0f blocks/s CPU\n",
                kChoices / (walk.wall - start.wall), kChoices / (walk.cpu - start.cpu));
  }
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
  return status == 0 ? 0 : 1;
}
