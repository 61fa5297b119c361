#include "compiler/line_handlers.h"

namespace qvn {

namespace {

constexpr std::size_t kLongLineWarning = 230;

void HandleEndOfStoryLine(CompileContext& context) {
  bool placed = context.stage == kStageCondition || context.stage == kStageText;
  if (context.current_line != "/" || !placed) ReportError(context, context.messages.slash_syntax);
  context.WriteRecord("/");
  context.stage = kStageChoicesClosed;
}

}  // namespace

void HandleLine(CompileContext& context, SourceLines& lines) {
  if (context.current_line.empty()) {
    // An empty line is a blank line of the page, and only inside a block's text.
    if (context.stage == kStageOpened || context.stage == kStageText) {
      context.WriteRecord(" ");
      context.stage = kStageText;
    }
    return;
  }
  switch (context.current_line[0]) {
    case '!':
      HandleFlagLine(context);
      break;
    case '#':
      HandleBlockHead(context);
      break;
    case '%':
      if (context.stage == kStageHeader)
        HandleVariableDefinition(context);
      else
        HandleTextLine(context, lines);
      break;
    case '/':
      HandleEndOfStoryLine(context);
      break;
    case ';':
      break;
    case '>':
      HandleDirective(context);
      break;
    case '?':
      HandleQuestionLine(context);
      break;
    default:
      HandleTextLine(context, lines);
      break;
  }
  if (context.current_line.size() > kLongLineWarning)
    ReportWarning(context, context.messages.over_230);
}

}  // namespace qvn
