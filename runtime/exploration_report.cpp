#include "runtime/exploration_report.h"

#include <string>

#include "common/encoding.h"

namespace qvn {

namespace {

Bytes Number(std::uint64_t value) {
  return Bytes(std::to_string(value));
}

// How to get there: the keys for `qvn play --choose` or the same in words,
// or the first page.
Bytes Way(const KeyPath& keys, WayForm form) {
  if (keys.empty()) return Sjis(u8"（新しいゲームの最初のページ）");
  if (form == WayForm::kChooseOption) return "--choose=" + ChooseArgument(keys);
  Bytes words;
  for (char key : keys) {
    if (!words.empty()) words += Sjis(u8" → ");
    if (key == kEnterKey)
      words += Sjis(u8"次へ");
    else if (key == kReopenKey)
      words += Sjis(u8"開き直す");
    else
      words.push_back(key);
  }
  return words;
}

}  // namespace

std::vector<ReportLine> ExplorationReport(const Exploration& found, WayForm way_form) {
  auto way = [way_form](const KeyPath& keys) { return Way(keys, way_form); };
  std::vector<ReportLine> lines;
  auto line = [&](Bytes text) { lines.push_back({std::move(text), false, Bytes()}); };
  auto problem = [&](Bytes text, const Bytes& block) {
    lines.push_back({std::move(text), true, block});
  };

  line(Sjis(u8"ブロック数 : ") + Number(found.blocks) + Sjis(u8"　到達 : ") +
       Number(found.reached.size()) + Sjis(u8"　未到達 : ") + Number(found.unreached.size()));
  line(Sjis(u8"調べた状態の数 : ") + Number(found.states) +
       (found.complete ? Bytes() : Sjis(u8"（上限に達したため途中で打ち切りました）")));

  line(Sjis(u8"エンディング : ") + Number(found.endings.size()));
  for (const ReachedEnding& ending : found.endings)
    line("  " + ending.block + " : " + way(ending.keys));

  std::size_t problems = 0;
  for (const UnreachedBlock& block : found.unreached) {
    Bytes why = block.reason == UnreachedReason::kNoWayIn
                    ? Sjis(u8"（どこからもジャンプしていません）")
                    : Sjis(u8"（ここへのジャンプの条件が一度も成り立ちません）");
    problem(Sjis(u8"未到達のブロック : ") + block.block + why, block.block);
    ++problems;
  }
  for (const ReachedJumpError& error : found.jump_errors) {
    problem(Sjis(u8"存在しないブロックへのジャンプ : ") + error.block + " -> " + error.target +
                " : " + way(error.keys),
            error.block);
    ++problems;
  }
  for (const ReachedCircle& circle : found.silent_circles) {
    problem(Sjis(u8"抜け出せない@NOWAITの循環 : ") + circle.block + " : " + way(circle.keys),
            circle.block);
    ++problems;
  }
  for (const ReachedPlayError& error : found.play_errors) {
    problem(Sjis(u8"再生できないデータ : ") + error.block + " (" + Utf8ToCp932(error.reason) +
                ") : " + way(error.keys),
            error.block);
    ++problems;
  }
  for (const NeverShownChoice& choice : found.never_shown_choices) {
    problem(Sjis(u8"表示されない選択肢 : ") + choice.block + Sjis(u8" の ") +
                Number(choice.choice) + Sjis(u8" 番目「") + choice.caption + Sjis(u8"」"),
            choice.block);
    ++problems;
  }
  if (problems == 0)
    line(Sjis(u8"問題は見つかりませんでした。"));
  else
    line(Sjis(u8"問題が ") + Number(problems) + Sjis(u8" 件見つかりました。"));
  return lines;
}

}  // namespace qvn
