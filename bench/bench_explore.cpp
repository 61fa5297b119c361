// Speed and memory of `qvn explore`: a generated story of 8000 blocks whose
// prologues, choices and jumps keep eight flags and four counters in play,
// explored from a new game up to the default limit of states.
#include <stdlib.h>
#include <sys/resource.h>
#include <time.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "analysis/story_explorer.h"
#include "compiler/compile.h"
#include "platform/file_io.h"
#include "runtime/block_index.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kBlocks = 8000;
// Flags 101 to 104 end with a play, 501 to 504 outlast it; counters A to D.
const char* const kFlags[] = {"101", "102", "103", "104", "501", "502", "503", "504"};
const char* const kCounterOps[] = {"!A+", "!A-", "!B+", "!B-", "!C+", "!C-", "!D+", "!D0"};
const char* const kConditions[] = {"?A<D", "?B>A", "?C=B", "?D<C", "?A:B"};

std::string ExploreStorySource(std::uint32_t seed) {
  std::mt19937 random(seed);
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<std::uint32_t>(n)); };
  auto flag = [&] { return std::string(kFlags[pick(8)]); };
  auto target = [&] { return std::string("B").append(std::to_string(1 + pick(kBlocks))); };
  std::string source = "TITLE=Explore benchmark\r\n";
  for (int b = 1; b <= kBlocks; ++b) {
    source.append("#B").append(std::to_string(b)).append("\r\n");
    source.append(pick(2) ? "!" : "!NOT").append(flag()).append("\r\n");
    source += std::string(kConditions[pick(5)]) + "\r\n" + kCounterOps[pick(8)] + "\r\n";
    source += std::string(kCounterOps[pick(8)]) + "\r\n";
    for (int t = 0; t < 4; ++t)
      source.append("The lamp flickered while the pages turned, line ")
          .append(std::to_string(t))
          .append(".\r\n");
    if (pick(100) == 0) {
      source += "/\r\n";
      continue;
    }
    source.append("?000\r\nGo on\r\n?").append(flag()).append(",").append(target());
    source.append("\r\n").append(target()).append("\r\n");
    source.append("?").append(flag()).append("\r\nFollow the light\r\n").append(target());
    source.append("\r\n");
    source += std::string(kConditions[pick(5)]) + "\r\nTake the stairs\r\n?NOT" + flag() + "," +
              target() + "\r\n" + target() + "\r\n";
    source += "?END\r\n";
  }
  return source;
}

double CpuSeconds() {
  timespec now{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

long MaxResidentKilobytes() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
  std::uint64_t max_states = argc > 1 ? std::stoull(argv[1]) : qvn::kDefaultMaxStates;
  std::string pattern = (std::filesystem::temp_directory_path() / "qvn-bench-XXXXXX").string();
  std::filesystem::path folder = ::mkdtemp(pattern.data());
  std::filesystem::path source = folder / "explore.src";
  {
    std::ofstream out(source, std::ios::binary);
    out << ExploreStorySource(1);
  }
  qvn::NullLogSink sink;
  if (qvn::Compile(source.string(), {}, sink).outcome != qvn::CompileOutcome::kSuccess) {
    std::fprintf(stderr, "the benchmark story did not compile\n");
    return 1;
  }
  qvn::Bytes body;
  qvn::BlockIndex index;
  qvn::LoadIndex((folder / "explore.qvj").string(), index);
  if (!qvn::ReadWholeFile(folder / "explore.qvn", body).ok) return 1;
  std::printf("story: %d blocks, body %zu bytes, flags 101-104 and 501-504, counters A-D\n",
              kBlocks, body.size());

  long resident_before = MaxResidentKilobytes();
  auto start = Clock::now();
  double cpu_start = CpuSeconds();
  qvn::Exploration found = qvn::ExploreStory(body, index, max_states);
  double cpu = CpuSeconds() - cpu_start;
  double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  long resident_after = MaxResidentKilobytes();

  std::printf("states: %ju (%s), reached %zu of %zu blocks, %zu endings\n",
              static_cast<std::uintmax_t>(found.states),
              found.complete ? "complete" : "limit reached", found.reached.size(), found.blocks,
              found.endings.size());
  // The exploration runs on one thread; its processor time is what one core
  // gives it, whatever else the machine is doing.
  std::printf("processor time: %.3f s, %.0f states per second on one core\n", cpu,
              static_cast<double>(found.states) / cpu);
  std::printf("wall time: %.3f s, %.0f states per second\n", seconds,
              static_cast<double>(found.states) / seconds);
  std::printf("memory kept for the states: %zu bytes, %.1f bytes per state\n", found.state_bytes,
              static_cast<double>(found.state_bytes) / static_cast<double>(found.states));
  std::printf("peak resident growth: %ld kB, %.1f bytes per state\n",
              resident_after - resident_before,
              1024.0 * static_cast<double>(resident_after - resident_before) /
                  static_cast<double>(found.states));
  std::filesystem::remove_all(folder);
  return 0;
}
