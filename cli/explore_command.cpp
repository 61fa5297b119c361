#include "cli/explore_command.h"

#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>

#include "analysis/exploration_json.h"
#include "analysis/exploration_report.h"
#include "analysis/loaded_story.h"
#include "analysis/story_explorer.h"
#include "cli/command_line.h"
#include "cli/exit_codes.h"
#include "cli/terminal_name.h"
#include "common/encoding.h"
#include "common/message_catalogue.h"

namespace qvn {

namespace {

constexpr int kExitIncomplete = 2;
// Each state keeps a 32-bit way back to the state it came from.
constexpr std::uint64_t kLargestMaxStates = 0xFFFFFFFEULL;

constexpr const char* kAbout = QT_TRANSLATE_NOOP(
    "qvn",
    "コンパイル済みの作品で、読み手が新しいゲームからどこまで行けるかを、ブラウザと\n"
    "同じランタイムで調べます。STORY には作品の .qvn、.qvj か同じベース名のどれかの\n"
    "ファイルを与えます。表示されうるページのすべてを、そのときありうるフラグと\n"
    "カウンターの組ごとに、そこで示される選択肢のすべてとともにたどり、終わりの後の\n"
    "次のプレイも調べます。\n"
    "\n"
    "たどり着くブロックとたどり着かないブロック、エンディング、存在しないブロックへの\n"
    "ジャンプ、読み手が抜け出せない @NOWAIT の循環、一度も示されない選択肢を報告し\n"
    "ます。そこへの道は、まっさらなスロット 1 からそこへ行く `qvn play` の引数 (その\n"
    "後に STORY) で示します: いちばん短いキーの並びと、既定値のない変数ごとの --var\n"
    "です。JSON では \"replay\" です。--max-states までに調べの届かなかったブロックは\n"
    "「未探索」です。\n");

constexpr const char* kClosing = QT_TRANSLATE_NOOP(
    "qvn",
    "終了ステータス: 0 何も見つからなかった、1 問題が見つかったか作品を読めない、\n"
    "2 --max-states で調べを打ち切った、64 使い方の誤り。\n");

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
      {{"--max-states", "N", QT_TRANSLATE_NOOP("qvn", "状態を N 個調べたら打ち切る (既定 5000000)"),
        [&](std::string_view number) -> std::string {
          auto [end, failure] =
              std::from_chars(number.data(), number.data() + number.size(), max_states);
          if (failure != std::errc() || end != number.data() + number.size() || max_states == 0 ||
              max_states > kLargestMaxStates)
            return FormatMessage(Translate("qvn", "--max-states には 1 から %1 の数を与えます"),
                                 {std::to_string(kLargestMaxStates)});
          return {};
        }},
       {"--json", "",
        QT_TRANSLATE_NOOP("qvn", "文章の報告の代わりに JSON のオブジェクトを一つ書く"),
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
