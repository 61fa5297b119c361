#include "common/number_field.h"
#include "common/sjis.h"
#include "compiler/line_handlers.h"

namespace qvn {

namespace {

constexpr int kFirstChoiceOfWarning = kStageSeventhChoice;

bool IsLetter(char ch) { return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z'); }

char Upper(char ch) { return (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 32) : ch; }

// One three-byte condition token; a counter test is upper-cased in place.
bool AcceptConditionToken(char* token) {
  BytesView view(token, 3);
  if (view == "NOT") return true;
  if (IsLetter(token[0]) && IsLetter(token[2]) &&
      (token[1] == '=' || token[1] == '<' || token[1] == '>' || token[1] == ':')) {
    token[0] = Upper(token[0]);
    token[2] = Upper(token[2]);
    return true;
  }
  auto number = ParseNumberField(view);
  return number && *number >= 0;
}

void HandleChoiceOrEnd(CompileContext& context) {
  const CompilerMessages& m = context.messages;
  UpperAsciiInPlace(context.current_line);
  if (context.current_line == "?END") {
    context.WriteRecord(context.current_line);
    context.stage = context.stage == kStageText ? kStageJumpList : kStageChoicesClosed;
    return;
  }
  if (context.stage == kStageLastChoiceComplete) ReportError(context, m.too_many_choices);
  CheckConditions(context);
  if (context.current_line.find(',') != Bytes::npos) ReportError(context, m.question_syntax);
  ++context.stage;
  // The browser shows six choices at most.
  if (context.stage == kFirstChoiceOfWarning) ReportWarning(context, m.seven_choices);
  context.WriteRecord(context.current_line);
}

void HandleJumpLine(CompileContext& context) {
  CheckConditions(context);
  std::size_t comma = context.current_line.find(',');
  if (comma == Bytes::npos) ReportError(context, context.messages.jump_needs_comma);
  CheckBlockName(context, BytesView(context.current_line).substr(comma + 1));
  context.WriteRecord(context.current_line);
}

}  // namespace

void CheckConditions(CompileContext& context) {
  Bytes& line = context.current_line;
  std::size_t length = line.find(',');
  if (length == Bytes::npos) length = line.size();
  bool accepted = length >= 4 && length % 3 == 1;
  for (std::size_t i = 1; accepted && i + 3 <= length; i += 3)
    accepted = AcceptConditionToken(&line[i]);
  if (!accepted) ReportError(context, context.messages.condition_needed);
}

void HandleQuestionLine(CompileContext& context) {
  const CompilerMessages& m = context.messages;
  int stage = context.stage;
  if (stage == kStageOpened) {
    // A condition for the flag line (or "/") that follows.
    CheckConditions(context);
    if (context.current_line.find(',') != Bytes::npos) ReportError(context, m.question_syntax);
    context.WriteRecord(context.current_line);
    context.stage = kStageCondition;
  } else if (stage == kStageCondition) {
    ReportError(context, m.question_misplaced);
  } else if (stage == kStageText || IsChoiceCompleteStage(stage)) {
    HandleChoiceOrEnd(context);
  } else if (IsCaptionReadStage(stage) || stage == kStageJumpList) {
    HandleJumpLine(context);
  } else if (stage == kStageChoicesClosed) {
    // The first jump line after a closed list is dropped; the rest follow.
    ReportWarning(context, m.jump_after_end);
    context.stage = kStageJumpList;
  } else {
    ReportError(context, m.question_syntax);
  }
}

}  // namespace qvn
