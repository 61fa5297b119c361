#pragma once
// The text of a user data file (a slot or the temporary save): 52 lines ended
// by CR LF, read and written as the reader's progress.
#include <string>
#include <vector>

#include "common/bytes.h"
#include "runtime/block_index.h"
#include "runtime/story_state.h"

namespace qvn {

inline constexpr int kUserDataLines = 52;

// The lines of a text file: ended by LF or CR LF; a last line without an end
// counts when it is not empty.
std::vector<BytesView> SplitTextLines(BytesView text);

// Why `text` cannot be a user data file (empty when it can be): a colour line
// that is not a number, a control byte in a line other than the title, the
// block name, the variables and the picture, or one single line longer than
// a line. No save writes these.
std::string UserDataDamage(BytesView text);

// Reads `text` into `state`: missing lines read as empty, long lines are cut,
// a short flag or counter line leaves the rest clear and at "A", lines 50 to
// 52 may be missing. Flag 0 and the sound names are left alone apart from the
// current sound, which is emptied. Returns an empty string on success, else
// the reason (UserDataDamage's); `state` is then unchanged.
std::string ParseUserData(BytesView text, const BlockIndex& index, StoryState& state);

// The 52 lines of `state` with the given resume marker.
Bytes FormatUserData(const StoryState& state, bool resume_marker);

// The resume marker a save writes: "0" only at the end-of-story position.
bool ResumeMarkerFor(const StoryState& state, const BlockIndex& index);

}  // namespace qvn
