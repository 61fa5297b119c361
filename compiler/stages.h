#pragma once
// The grammar position inside a block. Choice k (1 to 12) moves through 3k
// (its condition read), 3k+1 (caption read) and 3k+2 (complete).
namespace qvn {

inline constexpr int kStageHeader = 99;
inline constexpr int kStageOpened = 0;
inline constexpr int kStageCondition = 1;
inline constexpr int kStageText = 2;
inline constexpr int kStageLastChoiceComplete = 38;
inline constexpr int kStageChoicesClosed = 39;
inline constexpr int kStageJumpList = 40;
inline constexpr int kStageClosed = 41;
inline constexpr int kStageSeventhChoice = 21;

// 3, 6, ..., 36: a choice's condition is read, its caption must follow.
constexpr bool IsChoiceConditionStage(int stage) {
  return stage >= 3 && stage <= 36 && stage % 3 == 0;
}
// 4, 7, ..., 37: a caption is read, jump lines or the target follow.
constexpr bool IsCaptionReadStage(int stage) { return stage >= 4 && stage <= 37 && stage % 3 == 1; }
// 5, 8, ..., 38: a choice is complete.
constexpr bool IsChoiceCompleteStage(int stage) {
  return stage >= 5 && stage <= 38 && stage % 3 == 2;
}

}  // namespace qvn
