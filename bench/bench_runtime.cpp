// The story runtime's speed: opening an 8000-block story (index, slot, first
// page) and a random walk of one million choices through it.
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "bench/story_generator.h"
#include "compiler/compile.h"
#include "runtime/null_host.h"
#include "runtime/slot_dialog.h"
#include "runtime/story_session.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

}  // namespace

int main() {
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
  std::printf("story: 8000 blocks, body %ju bytes\n",
              static_cast<std::uintmax_t>(std::filesystem::file_size(folder / "big.qvn")));

  qvn::NullHost host;
  qvn::StorySession session(host, folder.string() + "/", folder.string() + "/");
  session.SetStory((folder / "big.qvn").string());
  double best_open = 1e9;
  for (int round = 0; round < 20; ++round) {
    session.CloseStory();
    auto start = Clock::now();
    if (!session.OpenStory()) {
      std::fprintf(stderr, "error: %s\n", host.last_error.c_str());
      return 1;
    }
    best_open = std::min(best_open, Milliseconds(Clock::now() - start));
  }
  std::printf("open (index, slot, first page): %.3f ms (best of 20)\n", best_open);

  std::mt19937 random(7);
  constexpr long kChoices = 1'000'000;
  long pages_before = host.pages;
  auto start = Clock::now();
  for (long i = 0; i < kChoices; ++i) {
    int count = session.ChoiceCount();
    session.SelectChoice(1 + static_cast<int>(random() % static_cast<unsigned>(count)));
  }
  double seconds = Milliseconds(Clock::now() - start) / 1000.0;
  long blocks = host.pages - pages_before;
  std::printf("random walk: %ld choices, %ld blocks in %.3f s: %.0f blocks/s\n", kChoices, blocks,
              seconds, static_cast<double>(blocks) / seconds);
  session.CloseStory();
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
  return 0;
}
