#pragma once
// The flag and counter records of a block's prologue and the conditions of
// conditions, choices and jumps.
#include "common/bytes.h"
#include "runtime/story_state.h"

namespace qvn {

// The flag number in a three-byte field (the compiler's number-field rule).
// Throws StoryError when it does not convert or names no flag.
int ParseFlagNumber(BytesView field);

// A condition: "?" and groups of three bytes (flag numbers, "NOT", counter
// comparisons X:Y, X<v, X=v, X>v), all of which must hold. "?" alone holds.
// Throws StoryError for a flag number that does not convert.
bool EvaluateCondition(BytesView record, const StoryState& state);

// A "!" record: counter operation (3 bytes), flag copy (9), flag OR / AND
// (12) or a set list. Throws StoryError for a flag number that does not
// convert; counters and flags outside their tables are never touched.
void ApplyFlagRecord(BytesView record, StoryState& state);

}  // namespace qvn
