// Every qvn command parses its command line with one parser: the same usage
// errors, exit 64, and a --help that names exactly the options it takes.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>

#include "tests/support/run_command.h"

namespace qvn::testing {
namespace {

constexpr const char* kCommands[] = {"compile", "play", "explore", "graph", "export"};

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
    EXPECT_EQ(help.out.rfind(std::string("使い方: qvn ") + command + " [", 0), 0u) << help.out;
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
        EXPECT_EQ(run.err.find("というオプションはありません"), std::string::npos)
            << command << " " << spelled;
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
      {{"explore"}, "qvn explore: STORY が与えられていません"},
      {{"compile"}, "qvn compile: SOURCE が与えられていません"},
      {{"graph", "--frob", "s.qvn"}, "qvn graph: --frob というオプションはありません"},
      {{"play", "--frob=1", "s.qvn"}, "qvn play: --frob というオプションはありません"},
      {{"graph", "a.qvn", "b.qvn"}, "qvn graph: STORY は一つしか与えられません"},
      {{"compile", "a.src", "b.src"}, "qvn compile: SOURCE は一つしか与えられません"},
      {{"explore", "--json=yes", "s.qvn"}, "qvn explore: --json は値をとりません"},
      {{"play", "--run-programs=1", "s.qvn"}, "qvn play: --run-programs は値をとりません"},
      {{"play", "--slot", "s.qvn"}, "qvn play: --slot には値が要ります: --slot=1..4"},
      {{"play", "--slot=0", "s.qvn"}, "qvn play: --slot には 1 から 4 を与えます"},
      {{"play", "--slot=5", "s.qvn"}, "qvn play: --slot には 1 から 4 を与えます"},
      {{"compile", "--key=255", "--password=p", "s.src"},
       "qvn compile: --key には 256 から 32000 の数を与えます"},
      {{"compile", "--key=32001", "--password=p", "s.src"},
       "qvn compile: --key には 256 から 32000 の数を与えます"},
      {{"compile", "--password=p", "s.src"}, "qvn compile: --password と --key は一緒に与えます"},
      {{"compile", "--color=red", "s.src"},
       "qvn compile: --color には auto、always、never のどれかを与えます"},
      {{"graph", "--format=png", "s.qvn"}, "qvn graph: --format には dot か svg を与えます"},
      {{"explore", "--max-states=0", "s.qvn"},
       "qvn explore: --max-states には 1 から 4294967294 の数を与えます"},
      {{"export", "s.qvn"}, "qvn export: 形式を与えてください: --web"},
      // A name typed with control bytes does not reach the terminal raw.
      {{"play", "--x\x1b]0;PWNED\a\n", "s.qvn"},
       "qvn play: --x\\e]0;PWNED\\x07\\n というオプションはありません"},
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

TEST(QvnCommandLine, AnEnglishLocaleGetsEnglishWords) {
  struct Row {
    std::vector<std::string> args;
    std::string first_line;
  };
  const Row kRows[] = {
      {{"play", "--help"},
       "usage: qvn play [--slot=1..4] [--var=N=TEXT]... [--choose=KEYS] [--data-dir=DIR]"},
      {{"explore"}, "qvn explore: no STORY given"},
      {{"graph", "--frob", "s.qvn"}, "qvn graph: unknown option --frob"},
      {{"compile", "a.src", "b.src"}, "qvn compile: only one SOURCE may be given"},
      {{"explore", "--json=yes", "s.qvn"}, "qvn explore: --json takes no value"},
      {{"--help"}, "usage: qvn <command> [options]"},
      {{"frob"}, "qvn: unknown command 'frob'"},
      {{"compile", "--help"}, "usage: qvn compile [--jump-check=on|off] [--block-names=on|off]"},
      {{"compile", "--password=p", "s.src"}, "qvn compile: --password and --key go together"},
      {{"compile", "--color=red", "s.src"}, "qvn compile: --color takes auto, always or never"},
      {{"explore", "--max-states=0", "s.qvn"},
       "qvn explore: --max-states takes a number from 1 to 4294967294"},
      {{"graph", "--format=png", "s.qvn"}, "qvn graph: --format takes dot or svg"},
      {{"export", "s.qvn"}, "qvn export: give the format: --web"},
      {{"play", "--slot", "s.qvn"}, "qvn play: --slot needs a value: --slot=1..4"},
      {{"play", "--slot=5", "s.qvn"}, "qvn play: --slot takes 1 to 4"},
  };
  for (const Row& row : kRows) {
    std::vector<std::string> argv = {"/usr/bin/env", "LANG=en_US.UTF-8", QvnBinary()};
    argv.insert(argv.end(), row.args.begin(), row.args.end());
    auto result = RunCommand(argv);
    EXPECT_EQ(FirstLine(result.status == 0 ? result.out : result.err), row.first_line);
  }
  // The help's own words too.
  auto help = RunCommand({"/usr/bin/env", "LANG=en_GB.UTF-8", QvnBinary(), "play", "--help"});
  EXPECT_NE(help.out.find("  --slot=1..4     use this slot without asking\n"), std::string::npos)
      << help.out;
  struct HelpLine {
    const char* command;
    const char* line;
  };
  for (const HelpLine& row : {
           HelpLine{
               "compile",
               "  --jump-check=on|off       check that every jump names a block (default on)\n"},
           HelpLine{"explore", "Exit status: 0 nothing found, 1 problems found"},
           HelpLine{"graph", "  --around=BLOCK    only the blocks at most two ways from BLOCK\n"},
           HelpLine{"export", "  --web          the format, and the only one: one HTML file\n"},
       }) {
    auto english =
        RunCommand({"/usr/bin/env", "LANG=en_US.UTF-8", QvnBinary(), row.command, "--help"});
    EXPECT_NE(english.out.find(row.line), std::string::npos) << english.out;
  }
}

TEST(QvnCommandLine, TheDefaultHelpIsJapaneseThroughout) {
  struct Row {
    std::vector<std::string> args;
    std::string line;
  };
  const Row kRows[] = {
      {{"--help"}, "使い方: qvn <コマンド> [オプション]\n"},
      {{"--help"}, "  explore   読み手が作品のどこまで行けるかを調べる (qvn explore --help)\n"},
      {{"compile", "--help"}, "  --simple-warnings=on|off  細かい警告を省く (既定 on)\n"},
      {{"explore", "--help"},
       "  --json          文章の報告の代わりに JSON のオブジェクトを一つ書く\n"},
      {{"graph", "--help"},
       "終了ステータス: 0 書けた、1 作品を読めないか描けない、64 使い方の誤り。\n"},
      {{"export", "--help"}, "  --web          形式 (これだけ): 一つの HTML ファイル\n"},
  };
  for (const char* lang : {"LANG=C.UTF-8", "LANG=ja_JP.UTF-8", "LANG=de_DE.UTF-8"}) {
    for (const Row& row : kRows) {
      std::vector<std::string> argv = {"/usr/bin/env", lang, QvnBinary()};
      argv.insert(argv.end(), row.args.begin(), row.args.end());
      auto result = RunCommand(argv);
      EXPECT_EQ(result.status, 0);
      EXPECT_NE(result.out.find(row.line), std::string::npos) << lang << "\n" << result.out;
    }
  }
  auto unknown = RunCommand({QvnBinary(), "frob"});
  EXPECT_EQ(unknown.status, 64);
  EXPECT_EQ(FirstLine(unknown.err), "qvn: frob というコマンドはありません");
}

// Terminal columns of UTF-8 text, kana and kanji counting two.
std::size_t Columns(const std::string& text) {
  std::size_t columns = 0;
  for (unsigned char byte : text)
    if ((byte & 0xC0) != 0x80) columns += byte >= 0xE1 ? 2 : 1;
  return columns;
}

TEST(QvnCommandLine, EveryHelpFitsEightyColumnsInBothLanguages) {
  for (const char* lang : {"LANG=C.UTF-8", "LANG=en_US.UTF-8"}) {
    std::vector<std::vector<std::string>> runs = {{"--help"}};
    for (const char* command : kCommands) runs.push_back({command, "--help"});
    for (const std::vector<std::string>& run : runs) {
      std::vector<std::string> argv = {"/usr/bin/env", lang, QvnBinary()};
      argv.insert(argv.end(), run.begin(), run.end());
      std::istringstream help(RunCommand(argv).out);
      std::size_t lines = 0;
      for (std::string line; std::getline(help, line); ++lines)
        EXPECT_LE(Columns(line), 80u) << lang << " " << run[0] << ": " << line;
      EXPECT_GT(lines, 5u) << lang << " " << run[0];
    }
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
