#include "workbench/source_line_kinds.h"

namespace qvn {

namespace {

// The positions of the compiler's second reading of a source.
constexpr int kHeader = kSourceLinesStart;
constexpr int kOpened = 0;
constexpr int kConditionRead = 1;
constexpr int kText = 2;
constexpr int kChoiceCondition = 3;
constexpr int kCaptionRead = 4;
constexpr int kEndRead = 5;

bool IsEnd(std::string_view line) {
  if (line.size() != 4) return false;
  const char* end = "?END";
  for (int i = 0; i < 4; ++i) {
    char ch = line[static_cast<std::size_t>(i)];
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 32);
    if (ch != end[i]) return false;
  }
  return true;
}

}  // namespace

SourceLineClass ClassifySourceLine(std::string_view line, int& state) {
  SourceLineClass result;
  if (line.empty()) {
    if (state == kOpened) state = kText;
    return result;
  }
  bool at_target = state == kCaptionRead || state == kEndRead;
  switch (line[0]) {
    case ';':
      result.kind = SourceLineKind::kComment;
      return result;
    case '#':
      result.kind = SourceLineKind::kBlockHead;
      state = kOpened;
      return result;
    case '!':
      result.kind = SourceLineKind::kFlag;
      if (state == kConditionRead) state = kOpened;
      return result;
    case '>':
      result.kind = SourceLineKind::kDirective;
      if (state == kOpened) state = kText;
      return result;
    case '/':
      result.kind = SourceLineKind::kEndOfStory;
      return result;
    case '?':
      result.kind = SourceLineKind::kCondition;
      if (state == kOpened) {
        state = kConditionRead;
      } else if (state == kText) {
        state = IsEnd(line) ? kEndRead : kChoiceCondition;
      } else if (at_target) {
        std::size_t comma = line.find(',');
        if (comma != std::string_view::npos) {
          result.kind = SourceLineKind::kJump;
          result.target_start = comma + 1;
        }
      }
      return result;
    default:
      break;
  }
  if (state == kHeader) {
    if (line[0] == '%' || line.starts_with("TITLE=") || line.starts_with("VERSION="))
      result.kind = SourceLineKind::kHeader;
    return result;
  }
  if (state == kOpened) {
    state = kText;
  } else if (state == kChoiceCondition) {
    state = kCaptionRead;
  } else if (at_target && line[0] != '%') {
    result.kind = SourceLineKind::kTarget;
    state = kText;
  }
  return result;
}

}  // namespace qvn
