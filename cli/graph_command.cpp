#include "cli/graph_command.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "analysis/graph_dot.h"
#include "analysis/graph_svg.h"
#include "analysis/loaded_story.h"
#include "analysis/story_explorer.h"
#include "analysis/story_outline.h"
#include "cli/exit_codes.h"
#include "common/encoding.h"
#include "format/markers.h"

namespace qvn {

namespace {

constexpr const char* kUsage =
    "usage: qvn graph [--format=dot|svg] [--explore] [--around=BLOCK] STORY\n";

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
    "  --around=BLOCK  only the blocks at most two ways from BLOCK\n"
    "\n"
    "SVG is laid out in at most 25 s and 1 GB; larger graphs are drawn without\n"
    "captions and, beyond a few thousand ways, by a faster layout. A graph too\n"
    "large even for that is refused with a message: write it as DOT, or draw the\n"
    "part around one block with --around.\n"
    "\n"
    "Exit status: 0 written, 1 the story cannot be read or drawn, 64 bad usage.\n";

}  // namespace

int RunGraphCommand(int argc, char** argv) {
  bool svg = false;
  bool explore = false;
  std::optional<Bytes> around;
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
    } else if (StartsWith(arg, "--around=")) {
      Bytes name = Utf8ToCp932(arg.substr(9));
      if (name.empty() || name.size() > kMaxBlockNameBytes)
        error = "--around takes a block name (1 to 8 bytes in CP932)";
      else
        around = std::move(name);
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
  if (around && loaded.index.FindRecord(*around) == 0) {
    std::fprintf(stderr, "qvn graph: the story has no block %s\n", Cp932ToUtf8(*around).c_str());
    return kExitFailed;
  }
  Exploration found;
  if (explore) found = ExploreStory(loaded.body, loaded.index);
  std::string dot =
      StoryGraphDot(outline, loaded.index, explore ? &found : nullptr, around ? &*around : nullptr);
  if (!svg) {
    std::fputs(dot.c_str(), stdout);
    return kExitOk;
  }
  SvgResult drawn = RenderSvg(dot);
  if (drawn.outcome == SvgOutcome::kTooLarge) {
    std::fprintf(stderr,
                 "qvn graph: %s (%zu blocks, %zu ways): write it as DOT with --format=dot, or "
                 "draw the part around one block with --around=BLOCK\n",
                 drawn.error.c_str(), outline.blocks.size(), WayCount(outline));
    return kExitFailed;
  }
  if (drawn.outcome != SvgOutcome::kDrawn) {
    std::fprintf(stderr, "qvn graph: %s\n", drawn.error.c_str());
    return kExitFailed;
  }
  std::fwrite(drawn.svg.data(), 1, drawn.svg.size(), stdout);
  return kExitOk;
}

}  // namespace qvn
