#pragma once
// The decisions of one block, in one place: the prologue, the silent
// "@NOWAIT" jumps, where the page text ends, the end of the story, which
// choices are offered and where each leads. The session walks a block with
// steps that draw and play what it meets; the explorer walks it with steps
// that only note where a reader can go. Neither repeats these rules.
#include <cstdint>

#include "common/bytes.h"
#include "runtime/block_index.h"
#include "runtime/flag_operations.h"
#include "runtime/jump_list.h"
#include "runtime/story_body.h"
#include "runtime/story_state.h"

namespace qvn {

inline constexpr int kMaxChoices = 6;
// A chain of "@NOWAIT" blocks longer than this is taken for a circle.
inline constexpr long kMaxSilentJumps = 1'000'000;
inline constexpr BytesView kNoWaitRecord = "@NOWAIT";
inline constexpr BytesView kEndOfListRecord = "?END";
inline constexpr BytesView kEndOfStoryRecord = "/";

enum class BlockEnd {
  kStopped,     // a silent jump failed or was refused: no new page
  kEndOfStory,  // the page ends the story; the state is ready for the next play
  kChoices,     // the page offers choices (or "Next")
};

inline bool IsPrologueRecord(BytesView record) {
  return !record.empty() && (record[0] == '!' || record[0] == '?');
}

// Positions the body at `offset` and applies the block's prologue (or, when
// the state was saved after it, passes over it). Returns the first record
// after the prologue.
BytesView EnterBlock(StoryBody& body, StoryState& state, std::int32_t offset);

// What an end of story does to the state: flags 1 to 500 and counters A to C
// cleared, the start block as position with the trailer's offset (so a save
// records "0"), default colours, no sound.
void EndPlay(StoryState& state, const BlockIndex& index);

// Walks the block at `offset`. `Steps` is told:
//   bool SilentJump(std::int32_t offset)  the state's position is the target
//        of an "@NOWAIT" jump (offset -1 when missing); false stops the walk
//   void PageStarts()
//   void Content(BytesView record)        a text line or a directive
//   void PageEnds()                       before the ending or the choices
//   void EndOfStory()                     after EndPlay
//   void Choice(int ordinal, BytesView caption, Bytes target)  offered
//   void HiddenChoice(int ordinal)        its condition does not hold
//   void Next(Bytes target)               no choice offered: "Next"
// Throws StoryError for story data that cannot be played.
template <typename Steps>
BlockEnd WalkBlock(StoryBody& body, const BlockIndex& index, StoryState& state, std::int32_t offset,
                   Steps& steps) {
  BytesView record = EnterBlock(body, state, offset);
  while (record == kNoWaitRecord) {
    body.ReadRecord();  // the "?END" that always follows
    state.position_name = ReadJumpList(body, state);
    offset = index.FindBlock(state.position_name);
    state.position_offset = offset;
    if (!steps.SilentJump(offset)) return BlockEnd::kStopped;
    record = EnterBlock(body, state, offset);
  }

  steps.PageStarts();
  // From here on "!" records and "@NOWAIT" are text: the compiler places
  // them only in the prologue.
  while (!(!record.empty() && record[0] == '?') && record != kEndOfStoryRecord) {
    steps.Content(record);
    record = body.ReadRecord();
  }
  steps.PageEnds();

  if (record == kEndOfStoryRecord) {
    EndPlay(state, index);
    steps.EndOfStory();
    return BlockEnd::kEndOfStory;
  }

  // A seventh offered choice is not read.
  int offered = 0;
  for (int ordinal = 1; offered < kMaxChoices && record != kEndOfListRecord; ++ordinal) {
    if (EvaluateCondition(record, state)) {
      ++offered;
      BytesView caption = body.ReadRecord();
      steps.Choice(ordinal, caption, ReadJumpList(body, state));
    } else {
      body.ReadRecord();
      ReadJumpList(body, state);
      steps.HiddenChoice(ordinal);
    }
    record = body.ReadRecord();
  }
  // Every choice hidden, or none: the records after "?END" give "Next".
  if (offered == 0) steps.Next(ReadJumpList(body, state));
  return BlockEnd::kChoices;
}

}  // namespace qvn
