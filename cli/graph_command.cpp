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
#include "cli/command_line.h"
#include "cli/exit_codes.h"
#include "cli/terminal_name.h"
#include "common/encoding.h"
#include "format/markers.h"

namespace qvn {

namespace {

constexpr const char* kAbout =
    "Writes the block graph of a compiled story (STORY names its .qvn, .qvj or\n"
    "any file of the same base name) to standard output: one node per block\n"
    "(the start block drawn double, endings as octagons, @NOWAIT blocks as\n"
    "dashed ellipses), one edge per choice (its caption) and per jump line (its\n"
    "condition); jumps to missing blocks end in red names.\n";

constexpr const char* kClosing =
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
  CommandLine line{"graph",
                   "STORY",
                   kAbout,
                   {{"--format", "dot|svg",
                     "dot: Graphviz's DOT language (the default)\n"
                     "svg: laid out and drawn by Graphviz's library",
                     [&](std::string_view format) -> std::string {
                       if (format != "dot" && format != "svg") return "--format takes dot or svg";
                       svg = format == "svg";
                       return {};
                     }},
                    {"--explore", "",
                     "explore the story first (as qvn explore does): blocks no\n"
                     "reader reaches are grey, choices never offered dashed",
                     [&](std::string_view) -> std::string {
                       explore = true;
                       return {};
                     }},
                    {"--around", "BLOCK", "only the blocks at most two ways from BLOCK",
                     [&](std::string_view block) -> std::string {
                       Bytes name = Utf8ToCp932(block);
                       if (name.empty() || name.size() > kMaxBlockNameBytes)
                         return "--around takes a block name (1 to 8 bytes in CP932)";
                       around = std::move(name);
                       return {};
                     }}},
                   kClosing};
  std::string story;
  if (auto status = ParseCommandLine(line, argc, argv, story)) return *status;

  LoadedStory loaded;
  std::string error;
  if (!LoadStoryForAnalysis(story, loaded, error)) {
    std::fprintf(stderr, "qvn graph: %s\n", EscapeControlBytes(error).c_str());
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
    std::fprintf(stderr, "qvn graph: %s\n", EscapeControlBytes(drawn.error).c_str());
    return kExitFailed;
  }
  std::fwrite(drawn.svg.data(), 1, drawn.svg.size(), stdout);
  return kExitOk;
}

}  // namespace qvn
