#include "compiler/jump_check.h"

#include <optional>
#include <vector>

#include "common/message_catalogue.h"
#include "common/sjis.h"
#include "compiler/source_lines.h"

namespace qvn {

namespace {

// The simplified stage of the check's own reading.
constexpr int kOpened = 0;
constexpr int kCondition = 1;
constexpr int kText = 2;
constexpr int kChoiceCondition = 3;
constexpr int kCaptionRead = 4;
constexpr int kEndRead = 5;

// Moves the check's stage over one line; returns the jump target the line
// names, or nullopt when it names none. A target line leaves the stage for
// the caller to move on after the check, so that a report shows where it was.
std::optional<BytesView> Step(int& stage, BytesView line, bool& leaves_target) {
  leaves_target = false;
  if (line.empty()) {
    if (stage == kOpened) stage = kText;
    return std::nullopt;
  }
  bool at_target = stage == kCaptionRead || stage == kEndRead;
  switch (line[0]) {
    case '!':
      if (stage == kCondition) stage = kOpened;
      return std::nullopt;
    case '#':
      stage = kOpened;
      return std::nullopt;
    case '%':
      if (stage == kOpened)
        stage = kText;
      else if (stage == kChoiceCondition)
        stage = kCaptionRead;
      return std::nullopt;
    case '>':
      if (stage == kOpened) stage = kText;
      return std::nullopt;
    case '?':
      if (stage == kOpened) {
        stage = kCondition;
      } else if (stage == kText) {
        stage = UpperAscii(line) == "?END" ? kEndRead : kChoiceCondition;
      } else if (at_target) {
        std::size_t comma = line.find(',');
        return comma == BytesView::npos ? BytesView() : line.substr(comma + 1);
      }
      return std::nullopt;
    case '/':
    case ';':
      return std::nullopt;
    default:
      if (stage == kOpened) {
        stage = kText;
      } else if (stage == kChoiceCondition) {
        stage = kCaptionRead;
      } else if (at_target) {
        leaves_target = true;
        return line;
      }
      return std::nullopt;
  }
}

const int* FindTarget(const CompileContext& context, BytesView target) {
  auto found = context.block_positions.find(Bytes(target.substr(0, kMaxBlockNameBytes)));
  return found == context.block_positions.end() ? nullptr : &found->second;
}

}  // namespace

void RunJumpTargetCheck(CompileContext& context, BytesView source) {
  context.Log(context.messages.checking_jumps);

  // Existence pass: the report names this pass's line, stage and block.
  context.line_counter = 0;
  context.stage = kStageHeader;
  SourceLines lines(source);
  while (!lines.AtEnd()) {
    BytesView line = lines.Next();
    ++context.line_counter;
    if (!line.empty() && line[0] == '#') context.latest_block = Bytes(line.substr(1));
    bool leaves_target = false;
    auto target = Step(context.stage, line, leaves_target);
    if (target && !FindTarget(context, *target)) {
      context.current_line = Bytes(line);
      ReportError(context, context.messages.missing_target);
    }
    if (leaves_target) context.stage = kText;
  }

  // Marking pass.
  std::vector<bool> referenced(context.block_table.size(), false);
  context.stage = kStageHeader;
  SourceLines again(source);
  while (!again.AtEnd()) {
    bool leaves_target = false;
    auto target = Step(context.stage, again.Next(), leaves_target);
    if (leaves_target) context.stage = kText;
    if (!target) continue;
    if (const int* position = FindTarget(context, *target))
      referenced[static_cast<std::size_t>(*position)] = true;
  }

  // The first block starts the story and needs no jump to it.
  const CompilerMessages& m = context.messages;
  for (std::size_t i = 1; i < context.block_table.size(); ++i) {
    if (referenced[i]) continue;
    // The warning has no line of its own; the block's head is where to look.
    Diagnostic where;
    where.error = false;
    where.line = context.block_lines[i];
    where.message = FormatMessage(m.unused_pattern, {context.block_table[i]});
    where.block = context.block_table[i];
    where.has_block = true;
    context.log.BeginReport(where);
    context.Log(m.warning_prefix + where.message, LogColor::kBlue);
    context.log.EndReport();
  }
}

}  // namespace qvn
