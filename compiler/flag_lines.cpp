#include "common/number_field.h"
#include "common/sjis.h"
#include "compiler/line_handlers.h"

namespace qvn {

namespace {

// What is wrong with one field of a flag line; the last bad field decides.
enum class FieldProblem { kNone, kSyntax, kFlagZero };

FieldProblem CheckSourceFlag(BytesView field) {
  auto number = ParseNumberField(field);
  return (!number || *number < 0) ? FieldProblem::kSyntax : FieldProblem::kNone;
}

// A flag that is set or cleared: 1 to 999. The original conversion marked a
// failed field with -1, so -1 is a syntax error and other values below 1 name
// flag 000.
FieldProblem CheckTargetFlag(BytesView field) {
  auto number = ParseNumberField(field);
  if (!number || *number == -1) return FieldProblem::kSyntax;
  if (*number <= 0) return FieldProblem::kFlagZero;
  return FieldProblem::kNone;
}

bool IsCounterLetter(char ch) { return ch >= 'A' && ch <= 'Z'; }

bool IsCounterOperand(char ch) {
  return ch == '+' || ch == '-' || (ch >= '0' && ch <= '@') || IsCounterLetter(ch);
}

FieldProblem CheckFlagLineForm(BytesView line) {
  std::size_t length = line.size();
  FieldProblem problem = FieldProblem::kNone;
  auto note = [&problem](FieldProblem found) {
    if (found != FieldProblem::kNone) problem = found;
  };
  if (length >= 4 && length % 3 == 1) {
    for (std::size_t i = 1; i + 3 <= length; i += 3) {
      BytesView token = line.substr(i, 3);
      if (token != "NOT") note(CheckTargetFlag(token));
    }
    return problem;
  }
  if (length == 12 && (line[4] == '+' || line[4] == '*') && line[8] == '=') {
    note(CheckSourceFlag(line.substr(1, 3)));
    note(CheckSourceFlag(line.substr(5, 3)));
    note(CheckTargetFlag(line.substr(9, 3)));
    return problem;
  }
  if (length == 9 && (line[1] == '-' || line[1] == '+') && line[5] == '=') {
    note(CheckSourceFlag(line.substr(2, 3)));
    note(CheckTargetFlag(line.substr(6, 3)));
    return problem;
  }
  if (length == 3 && IsCounterLetter(line[1]) && IsCounterOperand(line[2]))
    return FieldProblem::kNone;
  return FieldProblem::kSyntax;
}

}  // namespace

void HandleFlagLine(CompileContext& context) {
  if (context.stage != kStageOpened && context.stage != kStageCondition)
    ReportError(context, context.messages.bang_misplaced);
  context.stage = kStageOpened;
  UpperAsciiInPlace(context.current_line);
  switch (CheckFlagLineForm(context.current_line)) {
    case FieldProblem::kSyntax:
      ReportError(context, context.messages.bang_syntax);
    case FieldProblem::kFlagZero:
      ReportError(context, context.messages.flag_zero);
    case FieldProblem::kNone:
      break;
  }
  context.WriteRecord(context.current_line);
}

}  // namespace qvn
