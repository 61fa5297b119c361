// Compile speed: an 8000-block story of about 250,000 lines and 10 MB,
// jump-target check included, beside the time `wc -l` takes to read it.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <algorithm>
#include <vector>

#include "bench/story_generator.h"
#include "compiler/compile.h"

namespace {

class CountingSink : public qvn::LogSink {
 public:
  void Line(qvn::BytesView, qvn::LogColor) override { ++lines; }
  int lines = 0;
};

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

  std::vector<double> times;
  int log_lines = 0;
  for (int i = 0; i < runs; ++i) {
    CountingSink sink;
    auto start = std::chrono::steady_clock::now();
    qvn::CompileResult result = qvn::Compile(source_path.string(), {}, sink);
    times.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
    if (result.outcome != qvn::CompileOutcome::kSuccess) {
      std::printf("compile failed\n");
      return 1;
    }
    log_lines = sink.lines;
  }
  std::sort(times.begin(), times.end());
  std::printf("compile (jump check on, %d log lines): min %.1f ms, median %.1f ms over %d runs\n",
              log_lines, times.front(), times[times.size() / 2], runs);
  std::printf("throughput: %.0f MB/s, %.0f lines/ms\n", source.size() / 1e3 / times.front(),
              lines / times.front());

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
