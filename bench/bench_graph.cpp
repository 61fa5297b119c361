// Time and memory of `qvn graph --format=svg` on the largest story the format
// allows (8000 blocks, three choices each with a jump line and a target), and
// on smaller ones: the layout chosen for each size and what it took.
#include <stdlib.h>
#include <sys/resource.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "analysis/graph_dot.h"
#include "analysis/graph_svg.h"
#include "analysis/story_outline.h"
#include "bench/story_generator.h"
#include "compiler/compile.h"
#include "platform/file_io.h"
#include "runtime/block_index.h"

namespace {

using Clock = std::chrono::steady_clock;

long MaxResidentKilobytes() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

bool Measure(const std::filesystem::path& folder, int blocks, const std::string& layout) {
  std::filesystem::path source = folder / ("graph" + std::to_string(blocks) + ".src");
  {
    std::ofstream out(source, std::ios::binary);
    out << qvn::bench::GenerateStorySource(blocks, 20);
  }
  qvn::NullLogSink sink;
  if (qvn::Compile(source.string(), {}, sink).outcome != qvn::CompileOutcome::kSuccess) {
    std::fprintf(stderr, "the benchmark story of %d blocks did not compile\n", blocks);
    return false;
  }
  std::filesystem::path base = source;
  base.replace_extension();
  qvn::Bytes body;
  qvn::BlockIndex index;
  qvn::LoadIndex(base.string() + ".qvj", index);
  if (!qvn::ReadWholeFile(base.string() + ".qvn", body).ok) return false;

  auto start = Clock::now();
  qvn::StoryOutline outline = qvn::ReadOutline(body, index);
  std::string dot = qvn::StoryGraphDot(outline, index);
  double dot_seconds = std::chrono::duration<double>(Clock::now() - start).count();
  qvn::SvgBudget budget;
  budget.layout = layout;
  qvn::SvgResult drawn = qvn::RenderSvg(dot, budget);
  double total = std::chrono::duration<double>(Clock::now() - start).count();
  const char* outcome = drawn.outcome == qvn::SvgOutcome::kDrawn      ? "drawn"
                        : drawn.outcome == qvn::SvgOutcome::kTooLarge ? "too large"
                                                                      : "failed";
  std::printf(
      "%5d blocks, %6zu ways: DOT %.2f s (%zu bytes); %s by %s in %.2f s, layout peak %ld MB, "
      "SVG %zu bytes; whole graph %.2f s\n",
      blocks, qvn::WayCount(outline), dot_seconds, dot.size(), outcome, drawn.engine.c_str(),
      drawn.seconds, drawn.peak_kilobytes / 1024, drawn.svg.size(), total);
  if (drawn.outcome == qvn::SvgOutcome::kFailed) std::printf("  %s\n", drawn.error.c_str());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::string pattern = (std::filesystem::temp_directory_path() / "qvn-bench-XXXXXX").string();
  std::filesystem::path folder = ::mkdtemp(pattern.data());
  int status = 0;
  // Arguments: a layout to force (dot, quick-dot, sfdp), then block counts.
  std::string layout =
      argc > 1 && !std::isdigit(static_cast<unsigned char>(argv[1][0])) ? argv[1] : "";
  int first = layout.empty() ? 1 : 2;
  if (argc > first) {
    for (int i = first; i < argc; ++i)
      if (!Measure(folder, std::stoi(argv[i]), layout)) status = 1;
  } else {
    for (int blocks : {20, 100, 400, 2000, 8000})
      if (!Measure(folder, blocks, layout)) status = 1;
  }
  std::printf("this process's peak resident size: %ld MB (budget of each layout: 25 s, 1 GB)\n",
              MaxResidentKilobytes() / 1024);
  std::filesystem::remove_all(folder);
  return status;
}
