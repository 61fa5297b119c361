#include "cli/graph_command.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "cli/command_line.h"
#include "cli/exit_codes.h"
#include "cli/explore_story.h"
#include "cli/graph_dot.h"
#include "cli/graph_svg.h"
#include "cli/terminal_name.h"
#include "runtime/story_explorer.h"
#include "runtime/story_outline.h"

namespace qvn {

namespace {

constexpr const char* kAbout =
    "Writes the block graph of a compiled story (STORY names its .qvn, .qvj or\n"
    "any file of the same base name) to standard output: one node per block\n"
    "(the start block drawn double, endings as octagons, @NOWAIT blocks as\n"
    "dashed ellipses), one edge per choice (its caption) and per jump line (its\n"
    "condition); jumps to missing blocks end in red names.\n";

constexpr const char* kClosing =
    "Exit status: 0 written, 1 the story cannot be read or drawn, 64 bad usage.\n";

}  // namespace

int RunGraphCommand(int argc, char** argv) {
  bool svg = false;
  bool explore = false;
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
  Exploration found;
  if (explore) found = ExploreStory(loaded.body, loaded.index);
  std::string dot = StoryGraphDot(outline, loaded.index, explore ? &found : nullptr);
  if (!svg) {
    std::fputs(dot.c_str(), stdout);
    return kExitOk;
  }
  std::string drawn;
  if (!RenderSvg(dot, drawn, error)) {
    std::fprintf(stderr, "qvn graph: %s\n", EscapeControlBytes(error).c_str());
    return kExitFailed;
  }
  std::fwrite(drawn.data(), 1, drawn.size(), stdout);
  return kExitOk;
}

}  // namespace qvn
