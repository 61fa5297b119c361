// Compile speed: an 8000-block story of about 250,000 lines and 10 MB,
// jump-target check included, in Shift-JIS and in UTF-8, beside the time
// `wc -l` takes to read it.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/story_generator.h"
#include "common/encoding.h"
#include "compiler/compile.h"

namespace {

class CountingSink : public qvn::LogSink {
 public:
  void Line(qvn::BytesView, qvn::LogColor) override { ++lines; }
  int lines = 0;
};

// Processor time of this thread: on a machine shared with other work the
// wall clock also counts the time spent waiting for a processor.
double CpuMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double Milliseconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

}  // namespace

int main(int argc, char** argv) {
  int runs = argc > 1 ? std::atoi(argv[1]) : 10;
  namespace fs = std::filesystem;
  fs::path folder = fs::temp_directory_path() / "qvn-bench-compiler";
  fs::create_directories(folder);
  fs::path source_path = folder / "big.src";
  std::string source = qvn::bench::GenerateStorySource(8000, 31);
  {
    std::ofstream out(source_path, std::ios::binary);
    out.write(source.data(), static_cast<std::streamsize>(source.size()));
  }
  long lines = std::count(source.begin(), source.end(), '\n');
  std::printf("source: %d blocks, %ld lines, %.1f MB\n", 8000, lines, source.size() / 1e6);

  // The same story in UTF-8, as a Linux author writes it: read with the
  // automatic choice of encoding, line by line converted to CP932.
  fs::path utf8_path = folder / "big-utf8.src";
  std::string utf8 = qvn::Cp932ToUtf8(source);
  {
    std::ofstream out(utf8_path, std::ios::binary);
    out.write(utf8.data(), static_cast<std::streamsize>(utf8.size()));
  }

  struct Figures {
    std::vector<double> times;
    std::vector<double> cpu_times;
    double min = 0;
    double median = 0;
    double cpu_median = 0;
    int log_lines = 0;
  };
  // One compile of each in turn, so that the load of a shared machine falls
  // on both alike.
  auto run_once = [&](const fs::path& path, Figures& figures) {
    CountingSink sink;
    double cpu_start = CpuMilliseconds();
    auto start = std::chrono::steady_clock::now();
    qvn::CompileResult result = qvn::Compile(path.string(), {}, sink);
    figures.times.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
    figures.cpu_times.push_back(CpuMilliseconds() - cpu_start);
    figures.log_lines = sink.lines;
    return result.outcome == qvn::CompileOutcome::kSuccess;
  };
  Figures sjis_figures, utf8_figures;
  for (int i = 0; i < runs; ++i) {
    if (!run_once(source_path, sjis_figures) || !run_once(utf8_path, utf8_figures)) {
      std::printf("compile failed\n");
      return 1;
    }
  }
  for (Figures* figures : {&sjis_figures, &utf8_figures}) {
    std::sort(figures->times.begin(), figures->times.end());
    std::sort(figures->cpu_times.begin(), figures->cpu_times.end());
    figures->cpu_median = figures->cpu_times[figures->cpu_times.size() / 2];
    figures->min = figures->times.front();
    figures->median = figures->times[figures->times.size() / 2];
  }
  const Figures* sjis = &sjis_figures;
  const Figures* from_utf8 = &utf8_figures;
  std::printf("compile (jump check on, %d log lines): min %.1f ms, median %.1f ms over %d runs\n",
              sjis->log_lines, sjis->min, sjis->median, runs);
  std::printf("throughput: %.0f MB/s, %.0f lines/ms\n", source.size() / 1e3 / sjis->min,
              lines / sjis->min);
  std::printf("UTF-8 source (%.1f MB, encoding auto): min %.1f ms, median %.1f ms over %d runs\n",
              utf8.size() / 1e6, from_utf8->min, from_utf8->median, runs);
  std::printf("processor time, median: Shift-JIS %.1f ms, UTF-8 %.1f ms\n", sjis->cpu_median,
              from_utf8->cpu_median);
  std::printf("UTF-8 / Shift-JIS: %.2f (min), %.2f (median), %.2f (processor time)\n",
              from_utf8->min / sjis->min, from_utf8->median / sjis->median,
              from_utf8->cpu_median / sjis->cpu_median);

  std::vector<double> wc_times;
  std::string command = "wc -l '" + source_path.string() + "' > /dev/null";
  for (int i = 0; i < runs; ++i) {
    auto start = std::chrono::steady_clock::now();
    if (std::system(command.c_str()) != 0) break;
    wc_times.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
  }
  if (!wc_times.empty()) {
    std::sort(wc_times.begin(), wc_times.end());
    std::printf("wc -l on the same file (process start included): min %.1f ms, median %.1f ms\n",
                wc_times.front(), wc_times[wc_times.size() / 2]);
  }
  fs::remove_all(folder);
  return 0;
}
