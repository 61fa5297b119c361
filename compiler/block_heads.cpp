#include "common/message_catalogue.h"
#include "compiler/line_handlers.h"
#include "format/markers.h"

namespace qvn {

void CheckBlockName(CompileContext& context, BytesView name) {
  if (name.size() > kMaxBlockNameBytes) ReportError(context, context.messages.name_too_long);
  if (name.empty()) ReportError(context, context.messages.name_missing);
}

void HandleBlockHead(CompileContext& context) {
  const CompilerMessages& m = context.messages;
  int stage = context.stage;
  if (stage == kStageJumpList) ReportError(context, m.block_not_closed);
  if (IsChoiceCompleteStage(stage)) {
    // The choice list was left open: close it as "?END" would have.
    context.WriteRecord("?END");
    if (!context.options.simple_warnings) ReportWarning(context, m.end_missing);
  } else if (stage != kStageChoicesClosed && stage != kStageClosed && stage != kStageHeader) {
    ReportError(context, m.hash_misplaced);
  }

  ++context.block_counter;
  context.latest_block.clear();  // the new block has no name in the table yet
  if (context.block_counter > kMaxBlocks) ReportError(context, m.too_many_blocks);

  BytesView name = BytesView(context.current_line).substr(1);
  CheckBlockName(context, name);
  context.block_table.emplace_back(name);
  context.block_lines.push_back(context.line_counter);
  context.latest_block = Bytes(name);
  auto [position, inserted] = context.block_positions.try_emplace(
      context.latest_block, static_cast<int>(context.block_table.size()) - 1);
  if (!inserted) ReportError(context, m.name_used);
  if (StartsWith(name, kReservedPrefix)) ReportError(context, m.name_reserved);

  context.WriteIndex(name, context.BodySize());
  if (context.options.block_names)
    context.Log(FormatMessage(m.compiling_pattern, {context.latest_block}));
  context.stage = kStageOpened;
  context.log.ProcessPendingMessages();
}

}  // namespace qvn
