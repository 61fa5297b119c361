#include "cli/graph_command.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "analysis/graph_dot.h"
#include "analysis/graph_svg.h"
#include "analysis/loaded_story.h"
#include "analysis/story_explorer.h"
#include "analysis/story_outline.h"
#include "cli/exit_codes.h"

namespace qvn {

namespace {

constexpr const char* kUsage = "usage: qvn graph [--format=dot|svg] [--explore] STORY\n";

constexpr const char* kHelp =
    "Writes the block graph of a compiled story (STORY names its .qvn, .qvj or\n"
    "any file of the same base name) to standard output: one node per block\n"
    "(the start block drawn double, endings as octagons, @NOWAIT blocks as\n"
    "dashed ellipses), one edge per choice (its caption) and per jump line (its\n"
    "condition); jumps to missing blocks end in red names.\n"
    "\n"
    "  --format=dot    Graphviz's DOT language (the default)\n"
    "  --format=svg    laid out and drawn by Graphviz's library\n"
    "  --explore       explore the story first (as qvn explore does): blocks no\n"
    "                  reader reaches are grey, choices never offered dashed\n"
    "\n"
    "Exit status: 0 written, 1 the story cannot be read or drawn, 64 bad usage.\n";

}  // namespace

int RunGraphCommand(int argc, char** argv) {
  bool svg = false;
  bool explore = false;
  std::string story;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    std::string error;
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      std::fputs(kHelp, stdout);
      return kExitOk;
    } else if (arg == "--format=dot") {
      svg = false;
    } else if (arg == "--format=svg") {
      svg = true;
    } else if (arg == "--explore") {
      explore = true;
    } else if (StartsWith(arg, "--format=")) {
      error = "--format takes dot or svg";
    } else if (StartsWith(arg, "-") && arg != "-") {
      error = "unknown option " + std::string(arg);
    } else if (story.empty()) {
      story = std::string(arg);
    } else {
      error = "only one STORY may be given";
    }
    if (!error.empty()) {
      std::fprintf(stderr, "qvn graph: %s\n%s", error.c_str(), kUsage);
      return kExitUsage;
    }
  }
  if (story.empty()) {
    std::fprintf(stderr, "qvn graph: no STORY given\n%s", kUsage);
    return kExitUsage;
  }

  LoadedStory loaded;
  std::string error;
  if (!LoadStoryForAnalysis(story, loaded, error)) {
    std::fprintf(stderr, "qvn graph: %s\n", error.c_str());
    return kExitFailed;
  }
  StoryOutline outline = ReadOutline(loaded.body, loaded.index);
  Exploration found;
  if (explore) found = ExploreStory(loaded.body, loaded.index);
  std::string dot = StoryGraphDot(outline, loaded.index, explore ? &found : nullptr);
  if (!svg) {
    std::fputs(dot.c_str(), stdout);
    return kExitOk;
  }
  std::string drawn;
  if (!RenderSvg(dot, drawn, error)) {
    std::fprintf(stderr, "qvn graph: %s\n", error.c_str());
    return kExitFailed;
  }
  std::fwrite(drawn.data(), 1, drawn.size(), stdout);
  return kExitOk;
}

}  // namespace qvn
