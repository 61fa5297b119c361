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
    std::size_t comma = record.find(',');
    if (comma == BytesView::npos || comma + 1 == record.size()) continue;
    if (!EvaluateCondition(record.substr(0, comma), state)) continue;
    Bytes name = CutBytes(record.substr(comma + 1), kMaxBlockNameBytes);
    // The remaining jump lines and the target line are passed over.
    while (IsConditionRecord(body.ReadRecord())) {
    }
    return name;
  }
}

}  // namespace qvn
