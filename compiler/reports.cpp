#include <cstdio>
#include <string>

#include "common/message_catalogue.h"
#include "compiler/compile_context.h"
#include "format/index_record.h"
#include "format/text_record.h"

namespace qvn {

namespace {

bool ShowsBlockLine(const CompileContext& context) {
  return !context.options.block_names && context.block_counter >= 1;
}

Diagnostic Where(const CompileContext& context, bool error, BytesView message, int column) {
  Diagnostic where;
  where.error = error;
  where.line = context.line_counter;
  where.column = column;
  where.message = Bytes(message);
  where.has_block = context.block_counter >= 1;
  where.block = context.latest_block;
  return where;
}

// "Shift-JISで表せない文字があります。 (U+1F600, 7文字目)"
Bytes UnconvertibleMessage(const CompilerMessages& m, const Unconvertible& bad) {
  char what[16];
  if (bad.invalid_utf8)
    std::snprintf(what, sizeof what, "0x%02X", static_cast<unsigned>(bad.byte));
  else
    std::snprintf(what, sizeof what, "U+%04X", static_cast<unsigned>(bad.code));
  Bytes message = bad.invalid_utf8 ? m.not_utf8 : m.not_in_cp932;
  message.append(FormatMessage(m.character_pattern, {what, std::to_string(bad.character_column)}));
  return message;
}

void LogCurrentLine(CompileContext& context, LogColor color, bool as_written) {
  if (as_written)
    context.log.LineAsWritten(ShowableUtf8(context.CurrentAsWritten()), color);
  else
    context.Log(context.current_line, color);
}

[[noreturn]] void Report(CompileContext& context, BytesView message, int column, bool as_written) {
  const CompilerMessages& m = context.messages;
  context.log.BeginReport(Where(context, true, message, column));
  context.Log(FormatMessage(m.error_pattern, {std::to_string(context.line_counter)}),
              LogColor::kRed);
  if (ShowsBlockLine(context)) context.Log(m.error_block + context.latest_block, LogColor::kRed);
  LogCurrentLine(context, LogColor::kRed, as_written);
  Bytes last = "*** ";
  last.append(message).append(FormatMessage(m.stage_pattern, {std::to_string(context.stage)}));
  context.Log(last, LogColor::kRed);
  context.log.EndReport();
  throw CompileStop{};
}

}  // namespace

void CompileContext::WriteRecord(BytesView text) {
  AppendTextRecord(body, text);
}

void CompileContext::WriteIndex(BytesView name, std::int32_t value) {
  AppendIndexRecord(index, name, value);
}

void ReadLine(CompileContext& context, SourceLines& lines) {
  context.current_line = Bytes(lines.Next());
  ++context.line_counter;
  if (context.utf8 && context.line_counter == context.utf8->FailedLine()) {
    // The line cannot be shown in CP932; the author sees it as written.
    const Unconvertible& bad = context.utf8->Failure();
    Report(context, UnconvertibleMessage(context.messages, bad), bad.byte_column, true);
  }
}

void ReportError(CompileContext& context, BytesView message, int column) {
  Report(context, message, column, false);
}

void ReportWarning(CompileContext& context, BytesView message) {
  const CompilerMessages& m = context.messages;
  context.log.BeginReport(Where(context, false, message, 1));
  context.Log(FormatMessage(m.warning_pattern, {message, std::to_string(context.line_counter)}),
              LogColor::kBlue);
  if (ShowsBlockLine(context)) context.Log(m.warning_block + context.latest_block, LogColor::kBlue);
  context.Log(context.current_line, LogColor::kBlue);
  context.log.EndReport();
}

}  // namespace qvn
