// Every qvn command parses its command line with one parser: the same usage
// errors, exit 64, and a --help that names exactly the options it takes.
#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "tests/support/run_command.h"

namespace qvn::testing {
namespace {

constexpr const char* kCommands[] = {"compile", "play", "explore", "graph"};

std::string FirstLine(const std::string& text) {
  return text.substr(0, text.find('\n'));
}

std::set<std::string> OptionsNamedIn(const std::string& text) {
  std::set<std::string> names;
  static const std::regex kOption("--[a-z][a-z-]*");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), kOption);
       it != std::sregex_iterator(); ++it)
    names.insert(it->str());
  return names;
}

TEST(QvnCommandLine, HelpAndParsingAgree) {
  for (const char* command : kCommands) {
    auto help = RunCommand({QvnBinary(), command, "--help"});
    EXPECT_EQ(help.status, 0) << command;
    EXPECT_EQ(help.out.rfind(std::string("usage: qvn ") + command + " [", 0), 0u) << help.out;
    std::set<std::string> named = OptionsNamedIn(help.out);
    auto usage = RunCommand({QvnBinary(), command});
    EXPECT_EQ(usage.status, 64) << command;
    // The usage printed with an error is the help's own first lines.
    std::string usage_text = usage.err.substr(usage.err.find('\n') + 1);
    EXPECT_EQ(help.out.rfind(usage_text, 0), 0u) << command << "\n" << usage.err;
    for (const std::string& option : OptionsNamedIn(usage_text)) {
      EXPECT_TRUE(named.count(option)) << command << " " << option;
      // Each option the usage names is one the parser knows, with or
      // without a value: whatever it says, it is not "unknown".
      for (std::string spelled : {option, option + "=x"}) {
        auto run = RunCommand({QvnBinary(), command, spelled, "/nonexistent/s.qvn"});
        EXPECT_EQ(run.err.find("unknown option"), std::string::npos) << command << " " << spelled;
      }
    }
  }
}

TEST(QvnCommandLine, UsageErrorsSpeakAlikeInEveryCommand) {
  struct Row {
    std::vector<std::string> args;
    std::string message;
  };
  const Row kRows[] = {
      {{"explore"}, "qvn explore: no STORY given"},
      {{"compile"}, "qvn compile: no SOURCE given"},
      {{"graph", "--frob", "s.qvn"}, "qvn graph: unknown option --frob"},
      {{"play", "--frob=1", "s.qvn"}, "qvn play: unknown option --frob"},
      {{"graph", "a.qvn", "b.qvn"}, "qvn graph: only one STORY may be given"},
      {{"compile", "a.src", "b.src"}, "qvn compile: only one SOURCE may be given"},
      {{"explore", "--json=yes", "s.qvn"}, "qvn explore: --json takes no value"},
      {{"play", "--run-programs=1", "s.qvn"}, "qvn play: --run-programs takes no value"},
      {{"play", "--slot", "s.qvn"}, "qvn play: --slot needs a value: --slot=1..4"},
      {{"play", "--slot=0", "s.qvn"}, "qvn play: --slot takes 1 to 4"},
      {{"play", "--slot=5", "s.qvn"}, "qvn play: --slot takes 1 to 4"},
      {{"compile", "--key=255", "--password=p", "s.src"},
       "qvn compile: --key takes a number from 256 to 32000"},
      {{"compile", "--key=32001", "--password=p", "s.src"},
       "qvn compile: --key takes a number from 256 to 32000"},
      {{"compile", "--password=p", "s.src"}, "qvn compile: --password and --key go together"},
      {{"compile", "--color=red", "s.src"}, "qvn compile: --color takes auto, always or never"},
      {{"graph", "--format=png", "s.qvn"}, "qvn graph: --format takes dot or svg"},
      {{"explore", "--max-states=0", "s.qvn"},
       "qvn explore: --max-states takes a number from 1 to 4294967294"},
      // A name typed with control bytes does not reach the terminal raw.
      {{"play", "--x\x1b]0;PWNED\a\n", "s.qvn"}, "qvn play: unknown option --x\\e]0;PWNED\\x07\\n"},
  };
  for (const Row& row : kRows) {
    std::vector<std::string> argv = {QvnBinary()};
    argv.insert(argv.end(), row.args.begin(), row.args.end());
    auto result = RunCommand(argv);
    EXPECT_EQ(result.status, 64) << row.message;
    EXPECT_EQ(FirstLine(result.err), row.message);
    EXPECT_EQ(result.out, "") << row.message;
  }
}

TEST(QvnCommandLine, HelpWinsAndDoubleDashEndsTheOptions) {
  auto help = RunCommand({QvnBinary(), "graph", "--frob", "a", "b", "--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.err, "");
  // After "--" a name that looks like an option is the story's.
  auto story = RunCommand({QvnBinary(), "explore", "--", "--json"});
  EXPECT_EQ(story.status, 1);
  EXPECT_NE(story.err.find("--json"), std::string::npos) << story.err;
  EXPECT_EQ(story.out, "");
}

}  // namespace
}  // namespace qvn::testing
