#pragma once
// A jump list: jump lines ("?" condition "," block) and a closing target line.
#include "common/bytes.h"
#include "runtime/story_body.h"
#include "runtime/story_state.h"

namespace qvn {

// Reads the jump list at the reader's position and returns the block name of
// the first jump whose condition holds, else that of the target line (at most
// 8 bytes), leaving the reader after the target line. A jump line that holds
// but names no block passes over the lines up to the next target line and
// reading goes on. Throws StoryError when the body ends first or a condition
// does not read.
Bytes ReadJumpList(StoryBody& body, const StoryState& state);

}  // namespace qvn
