#include "compiler/compile_context.h"

#include <string>

#include "format/index_record.h"
#include "format/text_record.h"

namespace qvn {

namespace {

Bytes LineLabel(const CompileContext& context) {
  return context.messages.error_line_prefix + std::to_string(context.line_counter) +
         context.messages.error_line_suffix;
}

bool ShowsBlockLine(const CompileContext& context) {
  return !context.options.block_names && context.block_counter >= 1;
}

}  // namespace

void CompileContext::WriteRecord(BytesView text) { AppendTextRecord(body, text); }

void CompileContext::WriteIndex(BytesView name, std::int32_t value) {
  AppendIndexRecord(index, name, value);
}

void ReportError(CompileContext& context, BytesView message) {
  const CompilerMessages& m = context.messages;
  context.Log("*** " + LineLabel(context) + m.error_happened, LogColor::kRed);
  if (ShowsBlockLine(context)) context.Log(m.error_block + context.latest_block, LogColor::kRed);
  context.Log(context.current_line, LogColor::kRed);
  context.Log("*** " + Bytes(message) + " (Stage : " + std::to_string(context.stage) + ")",
              LogColor::kRed);
  throw CompileStop{};
}

void ReportWarning(CompileContext& context, BytesView message) {
  const CompilerMessages& m = context.messages;
  context.Log(m.warning_prefix + Bytes(message) + " -- " + LineLabel(context), LogColor::kBlue);
  if (ShowsBlockLine(context)) context.Log(m.warning_block + context.latest_block, LogColor::kBlue);
  context.Log(context.current_line, LogColor::kBlue);
}

}  // namespace qvn
