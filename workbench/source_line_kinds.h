#pragma once
// What each line of a story source is, for colouring it in the editor. The
// kinds follow the compiler's reading of a block: a "?" line after a caption
// or "?END" is a jump, a plain line there is the target.
#include <cstddef>
#include <string_view>

namespace qvn {

enum class SourceLineKind {
  kText,        // story text or a choice caption
  kBlockHead,   // "#NAME"
  kFlag,        // "!..."
  kCondition,   // "?..." before a flag line, a choice's condition, "?END"
  kJump,        // "?CONDITIONS,TARGET": the target starts after the comma
  kTarget,      // a line naming the block to go to
  kDirective,   // ">KEY=..."
  kHeader,      // "TITLE=", "VERSION=", "%n=" before the first block
  kComment,     // ";..."
  kEndOfStory,  // "/"
};

// The reading position carried from one line to the next; start with
// kSourceLinesStart.
inline constexpr int kSourceLinesStart = 99;

struct SourceLineClass {
  SourceLineKind kind = SourceLineKind::kText;
  std::size_t target_start = std::string_view::npos;  // kJump: after the comma
};

// Classifies one line (UTF-8 or Shift-JIS; only ASCII is looked at) and moves
// `state` on.
SourceLineClass ClassifySourceLine(std::string_view line, int& state);

}  // namespace qvn
