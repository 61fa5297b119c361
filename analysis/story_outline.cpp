#include "analysis/story_outline.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "common/number_field.h"
#include "format/markers.h"
#include "format/text_record.h"
#include "runtime/block_walk.h"

namespace qvn {

namespace {

// Reads records of the body in order; past the end it yields nothing and
// remembers that it ran out.
class RecordCursor {
 public:
  RecordCursor(BytesView body, std::size_t position) : body_(body), position_(position) {}

  std::optional<BytesView> Next() {
    if (ran_out_) return std::nullopt;
    std::optional<BytesView> record = ReadTextRecord(body_, position_);
    if (!record) ran_out_ = true;
    return record;
  }
  bool RanOut() const { return ran_out_; }
  std::size_t Position() const { return position_; }

 private:
  BytesView body_;
  std::size_t position_;
  bool ran_out_ = false;
};

bool IsCondition(BytesView record) {
  return !record.empty() && record[0] == '?';
}

// A jump list as the runtime reads it, every line noted: jump lines up to
// the first target line. A line that names no block may, when it holds, pass
// over that target line, and the list reads on: then what follows is noted too.
void ReadWays(RecordCursor& cursor, WayKind kind, int choice, std::vector<OutlineWay>& ways) {
  bool may_pass_over = false;
  while (std::optional<BytesView> record = cursor.Next()) {
    if (!IsCondition(*record)) {
      if (record->empty()) continue;
      ways.push_back({kind, choice, Bytes(), CutBytes(*record, kMaxBlockNameBytes)});
      if (!std::exchange(may_pass_over, false)) return;
      continue;
    }
    std::size_t comma = record->find(',');
    if (comma == BytesView::npos || comma + 1 == record->size()) {
      may_pass_over = true;
      continue;
    }
    ways.push_back({kind, choice, Bytes(record->substr(0, comma)),
                    CutBytes(record->substr(comma + 1), kMaxBlockNameBytes)});
  }
}

// The block's own records end at `block_end`: after a guarded end that does
// not hold, the runtime plays the next block's records, which are that
// block's (and after the last block come the title and the variables).
void ReadBlockShape(RecordCursor& cursor, std::size_t block_end, OutlineBlock& block) {
  auto own = [&]() -> std::optional<BytesView> {
    if (cursor.Position() >= block_end) return std::nullopt;
    return cursor.Next();
  };
  std::optional<BytesView> record = own();
  while (record && IsPrologueRecord(*record)) {
    if ((*record)[0] == '?') {
      std::optional<BytesView> guarded = own();
      if (guarded && *guarded == kEndOfStoryRecord) block.ends_story = true;
    }
    record = own();
  }
  if (!record) return;
  if (*record == kNoWaitRecord) {
    block.silent = true;
    cursor.Next();
    ReadWays(cursor, WayKind::kSilent, 0, block.ways);
    return;
  }
  while (record && !IsCondition(*record) && *record != kEndOfStoryRecord) record = own();
  if (!record) return;
  if (*record == kEndOfStoryRecord) {
    block.ends_story = true;
    return;
  }
  int ordinal = 0;
  while (record && *record != kEndOfListRecord) {
    OutlineChoice choice;
    choice.ordinal = ++ordinal;
    choice.condition = Bytes(*record);
    if (std::optional<BytesView> caption = cursor.Next()) choice.caption = Bytes(*caption);
    ReadWays(cursor, WayKind::kChoice, choice.ordinal, block.ways);
    block.choices.push_back(std::move(choice));
    record = own();
  }
  if (!record) return;
  // Without choices the list after "?END" is "Next"; beside choices it is the
  // way on when every choice is hidden, when the source gives one.
  if (ordinal == 0 || cursor.Position() < block_end)
    ReadWays(cursor, WayKind::kNext, 0, block.ways);
}

// The flag written by a three-byte field, when it names one.
void NoteFlag(BytesView field, std::array<bool, kFlagCount>& flags) {
  std::optional<std::int32_t> number = ParseNumberField(field);
  if (number && *number > 0 && *number < kFlagCount) flags[*number] = true;
}

// Every "!" record of the body, wherever it stands: what a prologue can
// change is among what these name.
void NoteChangedState(BytesView body, std::size_t end, StoryOutline& outline) {
  std::array<bool, kFlagCount> flags{};
  std::array<bool, 26> counters{};
  std::size_t position = 0;
  while (position < end) {
    std::optional<BytesView> record = ReadTextRecord(body, position);
    if (!record) break;
    if (record->empty() || (*record)[0] != '!') continue;
    switch (record->size()) {
      case 3:
        if (IsCounterLetter((*record)[1])) counters[(*record)[1] - 'A'] = true;
        break;
      case 9:
        NoteFlag(record->substr(6, 3), flags);
        break;
      case 12:
        NoteFlag(record->substr(9, 3), flags);
        break;
      default:
        for (std::size_t i = 1; i + 3 <= record->size(); i += 3)
          NoteFlag(record->substr(i, 3), flags);
    }
  }
  for (int flag = 1; flag < kFlagCount; ++flag)
    if (flags[flag]) outline.changed_flags.push_back(flag);
  for (int counter = 0; counter < 26; ++counter)
    if (counters[counter]) outline.changed_counters.push_back(static_cast<char>('A' + counter));
}

}  // namespace

StoryOutline ReadOutline(BytesView body, const BlockIndex& index) {
  StoryOutline outline;
  std::vector<std::int32_t> starts;
  for (std::size_t number = 1; number <= index.Count(); ++number) {
    const IndexRecord& record = index.Record(number);
    if (StartsWith(record.Name(), kReservedPrefix)) continue;
    OutlineBlock block;
    block.record = number;
    block.name = Bytes(record.Name());
    block.offset = record.value;
    outline.blocks.push_back(std::move(block));
    starts.push_back(record.value);
  }
  std::int32_t trailer = index.FindBlock(kTrailerMarker);
  std::size_t body_end = trailer >= 0 && static_cast<std::size_t>(trailer) <= body.size()
                             ? static_cast<std::size_t>(trailer)
                             : body.size();
  starts.push_back(static_cast<std::int32_t>(body_end));
  std::sort(starts.begin(), starts.end());

  for (OutlineBlock& block : outline.blocks) {
    if (block.offset < 0 || static_cast<std::size_t>(block.offset) > body.size()) {
      block.damaged = true;
      continue;
    }
    auto next = std::upper_bound(starts.begin(), starts.end(), block.offset);
    std::size_t block_end = next == starts.end() ? body.size() : static_cast<std::size_t>(*next);
    RecordCursor cursor(body, static_cast<std::size_t>(block.offset));
    ReadBlockShape(cursor, block_end, block);
    block.damaged = cursor.RanOut();
  }
  NoteChangedState(body, body_end, outline);
  return outline;
}

}  // namespace qvn
