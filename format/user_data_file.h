#pragma once
// The fresh content of a user data file (a slot nobody has played yet).
#include "common/bytes.h"
#include "format/story_variables.h"

namespace qvn {

inline constexpr int kFlagLines = 27;
inline constexpr int kFlagsPerLine = 37;
inline constexpr int kCounterCount = 26;
inline constexpr BytesView kLineBreak = "\r\n";

// The 52 lines, each ended by CR LF: title, "QVNSTART", the variables, all
// flags clear, all counters at "A", resume marker "0", colours "16", no picture.
Bytes FreshUserData(BytesView title, const StringVariables& variables);

}  // namespace qvn
