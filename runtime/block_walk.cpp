#include "runtime/block_walk.h"

#include "format/markers.h"

namespace qvn {

namespace {

constexpr int kFlagsClearedAtEnd = 500;
constexpr int kCountersResetAtEnd = 3;

}  // namespace

BytesView EnterBlock(StoryBody& body, StoryState& state, std::int32_t offset) {
  body.SeekBlock(offset);
  BytesView record = body.ReadRecord();
  if (state.resume) {
    // A condition is passed over together with the record it guards: a
    // guarded "/" was not taken when the save was made (taking it ends the
    // story and saves the start block), so it must not end the story now.
    while (IsPrologueRecord(record)) {
      if (record[0] == '?') body.ReadRecord();
      record = body.ReadRecord();
    }
    state.resume = false;
    return record;
  }
  while (IsPrologueRecord(record)) {
    if (record[0] == '?') {
      if (!EvaluateCondition(record, state)) body.ReadRecord();
    } else {
      ApplyFlagRecord(record, state);
    }
    record = body.ReadRecord();
  }
  return record;
}

void EndPlay(StoryState& state, const BlockIndex& index) {
  for (int flag = 1; flag <= kFlagsClearedAtEnd; ++flag) state.flags[flag] = 0;
  for (int counter = 0; counter < kCountersResetAtEnd; ++counter) state.counters[counter] = 'A';
  state.position_name = index.Count() > 0 ? Bytes(index.Record(1).Name()) : Bytes();
  state.position_offset = index.FindBlock(kTrailerMarker);
  state.background_colour = kDefaultColour;
  state.text_colour = kDefaultColour;
  state.current_sound.clear();
}

}  // namespace qvn
