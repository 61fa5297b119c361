#include "analysis/graph_svg.h"

#include <fcntl.h>
#include <graphviz/gvc.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "common/message_catalogue.h"

namespace qvn {

namespace {

// Up to this many edges Graphviz's "dot" is tried first on the graph as it
// is, captions on the edges; up to the second figure it is tried with its
// ranking and crossing work cut short and no captions (each caption is a node
// to it). Each try has a slice of the time: tangled graphs defeat "dot" long
// before their size does (a random one of 50 blocks and 300 ways takes it
// minutes). What is left then goes to the force-directed "sfdp", which places
// 8000 blocks in seconds.
constexpr int kPlainDotEdges = 1000;
constexpr int kQuickDotEdges = 4000;
constexpr double kDotSlice = 0.3;  // of the whole budget, for each "dot" try
constexpr auto kPollStep = std::chrono::milliseconds(100);

struct ContextCloser {
  void operator()(GVC_t* context) const { gvFreeContext(context); }
};
struct GraphCloser {
  void operator()(Agraph_t* graph) const { agclose(graph); }
};

void SetGraph(Agraph_t* graph, const char* name, const char* value) {
  agattr(graph, AGRAPH, const_cast<char*>(name), const_cast<char*>(""));
  agset(graph, const_cast<char*>(name), const_cast<char*>(value));
}

// Drops the captions of the edges (they stay in the DOT).
void DropEdgeLabels(Agraph_t* graph) {
  Agsym_t* label = agattr(graph, AGEDGE, const_cast<char*>("label"), nullptr);
  if (!label) return;
  for (Agnode_t* node = agfstnode(graph); node; node = agnxtnode(graph, node))
    for (Agedge_t* edge = agfstout(graph, node); edge; edge = agnxtout(graph, edge))
      agxset(edge, label, const_cast<char*>(""));
}

// Picks the layout for the graph's size and sets its options.
const char* PrepareLayout(Agraph_t* graph, const std::string& chosen) {
  if (chosen == "dot") return "dot";
  DropEdgeLabels(graph);
  if (chosen == "quick-dot") {
    SetGraph(graph, "nslimit", "2");
    SetGraph(graph, "nslimit1", "2");
    SetGraph(graph, "mclimit", "0.2");
    SetGraph(graph, "remincross", "false");
    SetGraph(graph, "splines", "line");
    return "dot";
  }
  SetGraph(graph, "splines", "false");
  SetGraph(graph, "overlap", "true");
  SetGraph(graph, "outputorder", "edgesfirst");
  return "sfdp";
}

void WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    ssize_t written = ::write(fd, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;
    data += written;
    size -= static_cast<std::size_t>(written);
  }
}

// The data segment the process already has, so that the budget is what the
// layout adds (a child of a window program starts with that program's heap).
std::size_t DataBytesInUse() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmData:", 0) == 0) return std::stoull(line.substr(7)) * 1024;
  return 0;
}

// What the child may have to say, worded before it is forked.
struct ChildReasons {
  std::string not_started = Translate("StoryGraph", "Graphviz を起動できませんでした");
  std::string not_accepted = Translate("StoryGraph", "Graphviz がグラフを受け付けませんでした");
  std::string not_laid_out = Translate(
      "StoryGraph",
      "Graphviz がグラフを配置できませんでした (配置のプラグインはインストールされていますか?)");
  std::string not_drawn = Translate("StoryGraph", "Graphviz がグラフを SVG で描けませんでした");
};

std::string TooLargeReason(const SvgBudget& budget) {
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.0f", budget.seconds);
  return FormatMessage(
      Translate("StoryGraph", "グラフが大きすぎて %1 秒と %2 MB のうちに配置できません"),
      {seconds, std::to_string(budget.bytes >> 20)});
}

// In the child: lay out, draw, and write "S" and the SVG, or "E" and the
// reason, to `fd`. Never returns.
[[noreturn]] void DrawInChild(int fd, const std::string& dot, const SvgBudget& budget,
                              const ChildReasons& reasons) {
  rlimit memory{};
  memory.rlim_cur = memory.rlim_max = DataBytesInUse() + budget.bytes;
  ::setrlimit(RLIMIT_DATA, &memory);
  rlimit processor{};
  processor.rlim_cur = processor.rlim_max = static_cast<rlim_t>(std::ceil(budget.seconds)) + 1;
  ::setrlimit(RLIMIT_CPU, &processor);

  auto fail = [fd](const std::string& reason) {
    WriteAll(fd, "E", 1);
    WriteAll(fd, reason.data(), reason.size());
    ::_exit(1);
  };
  std::unique_ptr<GVC_t, ContextCloser> context(gvContext());
  if (!context) fail(reasons.not_started);
  std::unique_ptr<Agraph_t, GraphCloser> graph(agmemread(dot.c_str()));
  if (!graph) fail(reasons.not_accepted);
  const char* engine = PrepareLayout(graph.get(), budget.layout);
  WriteAll(fd, engine, std::strlen(engine));
  WriteAll(fd, "\n", 1);
  if (gvLayout(context.get(), graph.get(), engine) != 0) fail(reasons.not_laid_out);
  char* data = nullptr;
  unsigned int length = 0;
  if (gvRenderData(context.get(), graph.get(), "svg", &data, &length) != 0 || !data)
    fail(reasons.not_drawn);
  WriteAll(fd, "S", 1);
  WriteAll(fd, data, length);
  ::_exit(0);
}

// One try with the layout `budget.layout`, in a child.
SvgResult RenderOnce(const std::string& dot, const SvgBudget& budget,
                     const std::atomic<bool>* cancel) {
  SvgResult result;
  ChildReasons reasons;
  int pipe_ends[2];
  if (::pipe2(pipe_ends, O_CLOEXEC) != 0) {
    result.error = FormatMessage(Translate("StoryGraph", "Graphviz とのパイプを作れません: %1"),
                                 {std::strerror(errno)});
    return result;
  }
  auto start = std::chrono::steady_clock::now();
  pid_t child = ::fork();
  if (child < 0) {
    ::close(pipe_ends[0]);
    ::close(pipe_ends[1]);
    result.error = FormatMessage(Translate("StoryGraph", "Graphviz を起動できませんでした: %1"),
                                 {std::strerror(errno)});
    return result;
  }
  if (child == 0) {
    ::close(pipe_ends[0]);
    DrawInChild(pipe_ends[1], dot, budget, reasons);
  }
  ::close(pipe_ends[1]);

  std::string output;
  bool timed_out = false;
  bool cancelled = false;
  auto deadline = start + std::chrono::duration<double>(budget.seconds);
  char buffer[1 << 16];
  for (;;) {
    if (cancel && cancel->load()) {
      cancelled = true;
      break;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      timed_out = true;
      break;
    }
    pollfd ready{pipe_ends[0], POLLIN, 0};
    int polled = ::poll(&ready, 1, static_cast<int>(kPollStep.count()));
    if (polled < 0 && errno != EINTR) break;
    if (polled <= 0) continue;
    ssize_t got = ::read(pipe_ends[0], buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    output.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(pipe_ends[0]);
  if (timed_out || cancelled) ::kill(child, SIGKILL);
  int status = 0;
  rusage usage{};
  while (::wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {
  }
  result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  result.peak_kilobytes = usage.ru_maxrss;

  std::size_t line_end = output.find('\n');
  if (line_end != std::string::npos) {
    result.engine = output.substr(0, line_end);
    output.erase(0, line_end + 1);
  }
  if (cancelled) {
    result.outcome = SvgOutcome::kCancelled;
  } else if (!timed_out && WIFEXITED(status) && WEXITSTATUS(status) == 0 && !output.empty() &&
             output[0] == 'S') {
    result.outcome = SvgOutcome::kDrawn;
    result.svg = output.substr(1);
  } else if (!timed_out && WIFEXITED(status) && !output.empty() && output[0] == 'E') {
    result.error = output.substr(1);
  } else {
    // Out of time, or out of memory (Graphviz ends itself or is ended by
    // the processor limit when an allocation fails).
    result.outcome = SvgOutcome::kTooLarge;
    result.error = TooLargeReason(budget);
  }
  return result;
}

}  // namespace

SvgResult RenderSvg(const std::string& dot, const SvgBudget& budget,
                    const std::atomic<bool>* cancel) {
  if (!budget.layout.empty()) return RenderOnce(dot, budget, cancel);
  // The edges, counted as Graphviz will: one "->" for each.
  int edges = 0;
  for (std::size_t at = dot.find("->"); at != std::string::npos; at = dot.find("->", at + 2))
    ++edges;
  double left = budget.seconds;
  std::vector<std::string> tries;
  if (edges <= kPlainDotEdges) tries.push_back("dot");
  if (edges <= kQuickDotEdges) tries.push_back("quick-dot");
  tries.push_back("sfdp");
  SvgResult result;
  for (std::size_t i = 0; i < tries.size(); ++i) {
    SvgBudget slice = budget;
    slice.layout = tries[i];
    bool last = i + 1 == tries.size();
    slice.seconds = last ? left : budget.seconds * kDotSlice;
    result = RenderOnce(dot, slice, cancel);
    result.engine = tries[i];
    left -= result.seconds;
    if (result.outcome != SvgOutcome::kTooLarge || last) break;
  }
  if (result.outcome == SvgOutcome::kTooLarge) {
    result.error = TooLargeReason(budget);
  }
  return result;
}

}  // namespace qvn
