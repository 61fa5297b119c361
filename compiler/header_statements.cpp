#include <string>

#include "common/number_field.h"
#include "compiler/line_handlers.h"
#include "format/markers.h"

namespace qvn {

namespace {

constexpr std::size_t kMaxTitleBytes = 248;

void HandleTitle(CompileContext& context) {
  if (!context.title.empty()) ReportError(context, context.messages.title_set);
  context.title = context.current_line.substr(6, kMaxTitleBytes);
  context.Log(context.messages.title_log + context.title);
}

void HandleVersion(CompileContext& context) {
  const CompilerMessages& m = context.messages;
  BytesView line = context.current_line;
  std::size_t dot = line.find('.');  // 0-based; npos when absent
  // The major part lies between "VERSION=" and the dot; without a dot the
  // minor text is taken from the line's start and cannot convert.
  BytesView major_text = (dot == BytesView::npos || dot <= 8) ? BytesView() : line.substr(8, dot - 8);
  BytesView minor_text = line.substr(dot == BytesView::npos ? 0 : dot + 1, 3);
  auto major = ParseNumberField(major_text);
  auto minor = ParseNumberField(minor_text);
  if (!major || !minor || *major < 0 || *major > 99 || *minor < 0 || *minor > 99)
    ReportError(context, m.version_bad);
  if (context.version_code != kDefaultVersionCode) ReportError(context, m.version_set);
  context.version_code = *major * 100 + *minor;
  // "1.05" and "1.5" must differ: a two-digit minor part below 10 is marked.
  if (minor_text.size() == 2 && *minor < 10) context.version_code += 20000;
  context.Log(m.version_log + std::to_string(*major) + "." + Bytes(minor_text));
}

}  // namespace

void HandleHeaderStatement(CompileContext& context) {
  if (StartsWith(context.current_line, "TITLE=")) return HandleTitle(context);
  if (StartsWith(context.current_line, "VERSION=")) return HandleVersion(context);
  ReportError(context, context.messages.text_not_here);
}

void HandleVariableDefinition(CompileContext& context) {
  const CompilerMessages& m = context.messages;
  BytesView line = context.current_line;
  auto number = ParseNumberField(line.substr(1, 1));
  if (!number) ReportError(context, m.number_expected);
  std::size_t comma = line.find(',');
  // The label needs at least one byte between "=" and the comma.
  if (*number == 0 || line.size() < 3 || line[2] != '=' || comma == BytesView::npos || comma < 4)
    ReportError(context, m.percent_syntax);
  StringVariable& variable = context.variables[static_cast<std::size_t>(*number - 1)];
  if (variable.label != kUnusedVariable) ReportError(context, m.variable_set);
  variable.label = CutBytes(line.substr(3, comma - 3), kMaxVariableBytes);
  variable.value = CutBytes(line.substr(comma + 1), kMaxVariableBytes);
}

}  // namespace qvn
