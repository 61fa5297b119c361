#include "cli/explore_command.h"

#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>

#include "cli/command_line.h"
#include "cli/exit_codes.h"
#include "cli/explore_json.h"
#include "cli/explore_story.h"
#include "cli/terminal_name.h"
#include "common/encoding.h"
#include "runtime/exploration_report.h"
#include "runtime/story_explorer.h"

namespace qvn {

namespace {

constexpr int kExitIncomplete = 2;
// Each state keeps a 32-bit way back to the state it came from.
constexpr std::uint64_t kLargestMaxStates = 0xFFFFFFFEULL;

constexpr const char* kAbout =
    "Explores what a reader can reach in a compiled story (STORY names its .qvn,\n"
    ".qvj or any file of the same base name), from a new game, on the same\n"
    "runtime as the browser: every page with the flags and counters it can be\n"
    "shown with, every choice offered there, and the next play after each end.\n"
    "\n"
    "Reports the blocks reached and not reached, the endings, jumps to missing\n"
    "blocks, @NOWAIT circles a reader can fall into and choices never offered.\n"
    "Each way is given as the keys of `qvn play --slot=1 --choose=KEYS` that\n"
    "lead there from a fresh slot (the shortest such keys).\n";

constexpr const char* kClosing =
    "Exit status: 0 nothing found, 1 problems found or the story cannot be read,\n"
    "2 the exploration stopped at --max-states, 64 bad usage.\n";

// Story text must not drive the terminal.
std::string ForTerminal(BytesView cp932) {
  std::string utf8 = Cp932ToUtf8(cp932);
  for (char& ch : utf8)
    if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7f) ch = '?';
  return utf8;
}

}  // namespace

int RunExploreCommand(int argc, char** argv) {
  std::uint64_t max_states = kDefaultMaxStates;
  bool json = false;
  CommandLine line{
      "explore",
      "STORY",
      kAbout,
      {{"--max-states", "N", "stop after N states (default 5000000)",
        [&](std::string_view number) -> std::string {
          auto [end, failure] =
              std::from_chars(number.data(), number.data() + number.size(), max_states);
          if (failure != std::errc() || end != number.data() + number.size() || max_states == 0 ||
              max_states > kLargestMaxStates)
            return "--max-states takes a number from 1 to " + std::to_string(kLargestMaxStates);
          return {};
        }},
       {"--json", "", "one JSON object instead of the text report",
        [&](std::string_view) -> std::string {
          json = true;
          return {};
        }}},
      kClosing};
  std::string story;
  if (auto status = ParseCommandLine(line, argc, argv, story)) return *status;

  LoadedStory loaded;
  std::string error;
  if (!LoadStoryForAnalysis(story, loaded, error)) {
    std::fprintf(stderr, "qvn explore: %s\n", EscapeControlBytes(error).c_str());
    return kExitFailed;
  }
  Exploration found = ExploreStory(loaded.body, loaded.index, max_states);
  if (json) {
    std::fputs(ExplorationJson(found).c_str(), stdout);
  } else {
    for (const ReportLine& line : ExplorationReport(found))
      std::printf("%s\n", ForTerminal(line.text).c_str());
  }
  if (!found.complete) return kExitIncomplete;
  return found.FoundProblems() ? kExitFailed : kExitOk;
}

}  // namespace qvn
