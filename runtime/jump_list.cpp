#include "runtime/jump_list.h"

#include "format/markers.h"
#include "runtime/flag_operations.h"

namespace qvn {

namespace {

bool IsConditionRecord(BytesView record) {
  return !record.empty() && record[0] == '?';
}

}  // namespace

Bytes ReadJumpList(StoryBody& body, const StoryState& state) {
  for (;;) {
    BytesView record = body.ReadRecord();
    if (!IsConditionRecord(record)) {
      if (!record.empty()) return CutBytes(record, kMaxBlockNameBytes);
      continue;
    }
    // A line without a comma is all condition and names no block: when it
    // holds, the lines after it are passed over all the same and the list
    // reads on (a hidden choice's fallback may run into the next block).
    std::size_t comma = record.find(',');
    if (!EvaluateCondition(record.substr(0, comma), state)) continue;
    Bytes name =
        comma == BytesView::npos ? Bytes() : CutBytes(record.substr(comma + 1), kMaxBlockNameBytes);
    // The remaining jump lines and the target line are passed over.
    while (IsConditionRecord(body.ReadRecord())) {
    }
    if (!name.empty()) return name;
  }
}

}  // namespace qvn
