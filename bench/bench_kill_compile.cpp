// Compiles killed at random moments: each trial forks a process that compiles
// an 8000-block source over the previous story, kills it after a random pause
// and looks at what is left, then opens the story as a reader would.
// bench_kill_compile [TRIALS] (default 300)
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

void WriteSource(const fs::path& path, const std::string& last_page) {
  std::ofstream out(path, std::ios::binary);
  for (int i = 1; i < 8000; ++i) out << "#B" << i << "\r\nx\r\n?END\r\nB1\r\n";
  out << "#B8000\r\n" << last_page << "\r\n?END\r\nB1\r\n";
}

}  // namespace

int main(int argc, char** argv) {
  const int trials = argc > 1 ? std::atoi(argv[1]) : 300;
  std::string pattern = (fs::temp_directory_path() / "qvn-bench-XXXXXX").string();
  fs::path folder = ::mkdtemp(pattern.data());
  const fs::path source = folder / "kill.src";
  qvn::NullLogSink sink;
  // Two sources of the same size whose outputs differ: old and new story.
  WriteSource(source, "new");
  qvn::Compile(source.string(), {}, sink);
  const std::string new_body = ReadAll(folder / "kill.qvn");
  const std::string new_index = ReadAll(folder / "kill.qvj");
  WriteSource(source, "old");
  auto start = std::chrono::steady_clock::now();
  if (qvn::Compile(source.string(), {}, sink).outcome != qvn::CompileOutcome::kSuccess) {
    std::fprintf(stderr, "the benchmark story did not compile\n");
    return 1;
  }
  long compile_ns =
      std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start)
          .count();
  const std::string old_body = ReadAll(folder / "kill.qvn");
  const std::string old_index = ReadAll(folder / "kill.qvj");
  WriteSource(source, "new");

  std::mt19937 random(1);
  std::uniform_int_distribution<long> delay_ns(0, 2 * compile_ns);
  int old_story = 0, new_story = 0, mixed = 0, broken = 0, failed_opens = 0;
  for (int trial = 0; trial < trials; ++trial) {
    pid_t child = ::fork();
    if (child < 0) return 1;
    if (child == 0) {
      qvn::NullLogSink quiet;
      qvn::Compile(source.string(), {}, quiet);
      ::_exit(0);
    }
    long pause_ns = delay_ns(random);
    timespec pause{pause_ns / 1000000000, pause_ns % 1000000000};
    ::nanosleep(&pause, nullptr);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    std::string body = ReadAll(folder / "kill.qvn");
    std::string index = ReadAll(folder / "kill.qvj");
    bool body_whole = body == old_body || body == new_body;
    bool index_whole = index == old_index || index == new_index;
    if (!body_whole || !index_whole)
      ++broken;
    else if (body == old_body && index == old_index)
      ++old_story;
    else if (body == new_body && index == new_index)
      ++new_story;
    else
      ++mixed;
    qvn::NullHost host;
    qvn::StorySession reader(host, folder.string() + "/", folder.string() + "/");
    reader.SetStory((folder / "kill.qvn").string());
    if (!reader.OpenStory()) ++failed_opens;
    reader.CloseStory();
    // Back to the old story for the next trial.
    if (body != old_body || index != old_index) {
      WriteSource(source, "old");
      qvn::Compile(source.string(), {}, sink);
      WriteSource(source, "new");
    }
  }
  std::printf("one compile of 8000 blocks: %.1f ms\n", compile_ns / 1e6);
  std::printf("%d compiles killed at random within %.1f ms of their start:\n", trials,
              2 * compile_ns / 1e6);
  std::printf("  previous story kept whole         %d\n", old_story);
  std::printf("  new story in place                %d\n", new_story);
  std::printf("  new body beside old index or back %d\n", mixed);
  std::printf("  broken (empty or partial) files   %d\n", broken);
  std::printf("  opens that failed                 %d\n", failed_opens);
  fs::remove_all(folder);
  return broken == 0 ? 0 : 1;
}
