#include "analysis/exploration_report.h"

#include <string>

#include "common/encoding.h"
#include "common/message_catalogue.h"

namespace qvn {

namespace {

// A line of the report in the reader's language, in CP932: the pattern
// (marked for the "StoryReport" context) is translated and converted first,
// then the story's own bytes (block names, captions) go in unchanged.
Bytes Say(const char* pattern, std::initializer_list<std::string_view> args = {}) {
  return FormatMessage(Utf8ToCp932(Translate("StoryReport", pattern)), args);
}

std::string Number(std::uint64_t value) {
  return std::to_string(value);
}

// How to get there: the `qvn play` that replays it (the story's name after
// it), or the keys in the words a reader knows; the first page is said so.
Bytes Way(const Exploration& found, const KeyPath& keys, WayForm form) {
  if (form == WayForm::kChooseOption) {
    Bytes way = "qvn play";
    for (const std::string& argument : ReplayArguments(found, keys)) way += " " + argument;
    if (keys.empty())
      return Say(QT_TRANSLATE_NOOP("StoryReport", "%1（新しいゲームの最初のページ）"), {way});
    return way;
  }
  if (keys.empty()) return Say(QT_TRANSLATE_NOOP("StoryReport", "（新しいゲームの最初のページ）"));
  Bytes words;
  for (char key : keys) {
    if (!words.empty()) words += Say(QT_TRANSLATE_NOOP("StoryReport", " → "));
    if (key == kEnterKey)
      words += Say(QT_TRANSLATE_NOOP("StoryReport", "次へ"));
    else if (key == kReopenKey)
      words += Say(QT_TRANSLATE_NOOP("StoryReport", "開き直す"));
    else
      words.push_back(key);
  }
  return words;
}

}  // namespace

std::vector<ReportLine> ExplorationReport(const Exploration& found, WayForm way_form) {
  auto way = [&found, way_form](const KeyPath& keys) { return Way(found, keys, way_form); };
  std::vector<ReportLine> lines;
  auto line = [&](Bytes text) { lines.push_back({std::move(text), false, Bytes()}); };
  auto problem = [&](Bytes text, const Bytes& block) {
    lines.push_back({std::move(text), true, block});
  };

  line(Say(QT_TRANSLATE_NOOP("StoryReport", "ブロック数 : %1　到達 : %2　未到達 : %3"),
           {Number(found.blocks), Number(found.reached.size()), Number(found.unreached.size())}));
  if (found.complete)
    line(Say(QT_TRANSLATE_NOOP("StoryReport", "調べた状態の数 : %1"), {Number(found.states)}));
  else
    line(Say(QT_TRANSLATE_NOOP("StoryReport",
                               "調べた状態の数 : %1（上限に達したため途中で打ち切りました）"),
             {Number(found.states)}));

  line(Say(QT_TRANSLATE_NOOP("StoryReport", "エンディング : %1"), {Number(found.endings.size())}));
  for (const ReachedEnding& ending : found.endings)
    line("  " + ending.block + " : " + way(ending.keys));

  std::size_t problems = 0;
  for (const UnreachedBlock& block : found.unreached) {
    if (block.reason == UnreachedReason::kNotExplored) {
      line(Say(QT_TRANSLATE_NOOP("StoryReport",
                                 "未探索のブロック : %1（上限までに調べが届きませんでした）"),
               {block.block}));
      continue;
    }
    Bytes text =
        block.reason == UnreachedReason::kNoWayIn
            ? Say(QT_TRANSLATE_NOOP("StoryReport",
                                    "未到達のブロック : %1（どこからもジャンプしていません）"),
                  {block.block})
            : Say(QT_TRANSLATE_NOOP(
                      "StoryReport",
                      "未到達のブロック : %1（ここへのジャンプの条件が一度も成り立ちません）"),
                  {block.block});
    problem(std::move(text), block.block);
    ++problems;
  }
  for (const ReachedJumpError& error : found.jump_errors) {
    problem(Say(QT_TRANSLATE_NOOP("StoryReport", "存在しないブロックへのジャンプ : %1 -> %2 : %3"),
                {error.block, error.target, way(error.keys)}),
            error.block);
    ++problems;
  }
  for (const ReachedCircle& circle : found.silent_circles) {
    problem(Say(QT_TRANSLATE_NOOP("StoryReport", "抜け出せない@NOWAITの循環 : %1 : %2"),
                {circle.block, way(circle.keys)}),
            circle.block);
    ++problems;
  }
  for (const ReachedPlayError& error : found.play_errors) {
    problem(Say(QT_TRANSLATE_NOOP("StoryReport", "再生できないデータ : %1 (%2) : %3"),
                {error.block, Utf8ToCp932(error.reason), way(error.keys)}),
            error.block);
    ++problems;
  }
  for (const NeverShownChoice& choice : found.never_shown_choices) {
    problem(Say(QT_TRANSLATE_NOOP("StoryReport", "表示されない選択肢 : %1 の %2 番目「%3」"),
                {choice.block, Number(choice.choice), choice.caption}),
            choice.block);
    ++problems;
  }
  if (problems == 0)
    line(Say(QT_TRANSLATE_NOOP("StoryReport", "問題は見つかりませんでした。")));
  else
    line(Say(QT_TRANSLATE_NOOP("StoryReport", "問題が %1 件見つかりました。"), {Number(problems)}));
  return lines;
}

}  // namespace qvn
