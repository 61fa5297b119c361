#pragma once
// DOT laid out and drawn as SVG by Graphviz's library, in a child process
// that has a time and a memory budget: Graphviz's layouts grow without bound
// on large graphs, and a child that overruns is simply ended. The layout
// engine and its options are chosen by the graph's size.
#include <atomic>
#include <cstddef>
#include <string>

namespace qvn {

struct SvgBudget {
  double seconds = 25;
  std::size_t bytes = std::size_t{1} << 30;  // memory the layout may add
  // "dot", "quick-dot" or "sfdp" to choose the layout; empty: by size.
  std::string layout;
};

enum class SvgOutcome {
  kDrawn,
  kTooLarge,  // the budget ran out: the graph is too large to lay out
  kCancelled,
  kFailed,  // Graphviz refused the graph or could not start
};

struct SvgResult {
  SvgOutcome outcome = SvgOutcome::kFailed;
  std::string svg;
  std::string error;        // UTF-8, for kTooLarge and kFailed
  std::string engine;       // the layout used
  double seconds = 0;       // the child's wall time
  long peak_kilobytes = 0;  // the child's largest resident size
};

// `cancel`, when given, is watched while the child works.
SvgResult RenderSvg(const std::string& dot, const SvgBudget& budget = {},
                    const std::atomic<bool>* cancel = nullptr);

}  // namespace qvn
