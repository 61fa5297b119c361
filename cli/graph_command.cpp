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
#include "common/message_catalogue.h"
#include "format/markers.h"

namespace qvn {

namespace {

constexpr const char* kAbout = QT_TRANSLATE_NOOP(
    "qvn",
    "コンパイル済みの作品のブロックのグラフを標準出力に書きます。STORY には作品の\n"
    ".qvn、.qvj か同じベース名のどれかのファイルを与えます。ブロックごとに節点が\n"
    "一つ (最初のブロックは二重線、エンディングは八角形、@NOWAIT のブロックは破線の\n"
    "楕円)、選択肢ごと (見出しを添えて) とジャンプの行ごと (条件を添えて) に辺が\n"
    "一本です。存在しないブロックへのジャンプは赤い名前に行き着きます。\n");

constexpr const char* kClosing = QT_TRANSLATE_NOOP(
    "qvn",
    "SVG は 25 秒と 1 GB のうちに配置します。大きなグラフは見出しを省いて描き、道が\n"
    "数千を超えると速い配置で描きます。それでも大きすぎるグラフはメッセージを出して\n"
    "描きません: DOT で書き出すか、--around で一つのブロックのまわりだけを描いて\n"
    "ください。\n"
    "\n"
    "終了ステータス: 0 書けた、1 作品を読めないか描けない、64 使い方の誤り。\n");

}  // namespace

int RunGraphCommand(int argc, char** argv) {
  bool svg = false;
  bool explore = false;
  std::optional<Bytes> around;
  CommandLine line{
      "graph",
      "STORY",
      kAbout,
      {{"--format", "dot|svg",
        QT_TRANSLATE_NOOP("qvn",
                          "dot: Graphviz の DOT 言語 (既定)\n"
                          "svg: Graphviz のライブラリで配置して描く"),
        [&](std::string_view format) -> std::string {
          if (format != "dot" && format != "svg")
            return Translate("qvn", "--format には dot か svg を与えます");
          svg = format == "svg";
          return {};
        }},
       {"--explore", "",
        QT_TRANSLATE_NOOP("qvn",
                          "先に作品を調べる (qvn explore と同じ): どの読み手も\n"
                          "たどり着かないブロックを灰色に、一度も示されない\n"
                          "選択肢を破線にする"),
        [&](std::string_view) -> std::string {
          explore = true;
          return {};
        }},
       {"--around", "BLOCK", QT_TRANSLATE_NOOP("qvn", "BLOCK から道二つまでのブロックだけを描く"),
        [&](std::string_view block) -> std::string {
          Bytes name = Utf8ToCp932(block);
          if (name.empty() || name.size() > kMaxBlockNameBytes)
            return Translate("qvn",
                             "--around にはブロックの名前を与えます (CP932 で 1 から 8 バイト)");
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
    std::fprintf(stderr, "qvn graph: %s\n",
                 FormatMessage(Translate("qvn", "作品に %1 というブロックはありません"),
                               {EscapeControlBytes(Cp932ToUtf8(*around))})
                     .c_str());
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
    std::fprintf(stderr, "qvn graph: %s\n",
                 FormatMessage(Translate("qvn",
                                         "%1 (ブロック %2 個、道 %3 本): --format=dot で DOT として"
                                         "書き出すか、--around=BLOCK で一つのブロックのまわり"
                                         "だけを描いてください"),
                               {drawn.error, std::to_string(outline.blocks.size()),
                                std::to_string(WayCount(outline))})
                     .c_str());
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
