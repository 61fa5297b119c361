#include "common/number_field.h"
#include "common/sjis.h"
#include "compiler/line_handlers.h"

namespace qvn {

namespace {

// Every "%" of story text must name a variable 1 to 9.
void CheckVariableReferences(CompileContext& context) {
  const Bytes& line = context.current_line;
  for (std::size_t i = line.find('%'); i != Bytes::npos; i = line.find('%', i + 1)) {
    auto number = ParseNumberField(BytesView(line).substr(i + 1, 1));
    if (!number) ReportError(context, context.messages.number_expected);
    if (*number == 0) ReportError(context, context.messages.variable_bad);
  }
}

// "@NOWAIT" opens a block that passes straight on to its jump list; the
// line after it must be "?END".
void HandleNoWait(CompileContext& context, SourceLines& lines) {
  if (context.stage == kStageText) ReportError(context, context.messages.nowait_misplaced);
  context.WriteRecord("@NOWAIT");
  ReadLine(context, lines);
  UpperAsciiInPlace(context.current_line);
  if (context.current_line != "?END") ReportError(context, context.messages.nowait_without_end);
  context.WriteRecord("?END");
  context.stage = kStageJumpList;
}

void HandleStoryText(CompileContext& context, SourceLines& lines) {
  if (context.current_line == "@NOWAIT") return HandleNoWait(context, lines);
  context.stage = kStageText;
  CheckVariableReferences(context);
  context.WriteRecord(context.current_line);
}

}  // namespace

void HandleTextLine(CompileContext& context, SourceLines& lines) {
  const CompilerMessages& m = context.messages;
  int stage = context.stage;
  if (stage == kStageHeader) return HandleHeaderStatement(context);
  if (stage == kStageOpened || stage == kStageText) return HandleStoryText(context, lines);
  if (stage == kStageCondition) ReportError(context, m.text_in_condition);
  if (IsChoiceConditionStage(stage)) {
    // The caption of a choice, shown as written.
    context.WriteRecord(context.current_line);
    ++context.stage;
    return;
  }
  if (IsCaptionReadStage(stage) || stage == kStageJumpList) {
    // The target line: the block to go to when no jump line holds.
    CheckBlockName(context, context.current_line);
    context.WriteRecord(context.current_line);
    ++context.stage;
    return;
  }
  if (stage == kStageChoicesClosed) {
    ReportWarning(context, m.jump_after_end);
    context.WriteRecord(context.current_line);
    context.stage = kStageClosed;
    return;
  }
  ReportError(context, m.text_not_here);
}

}  // namespace qvn
