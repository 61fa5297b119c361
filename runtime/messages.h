#pragma once
// The runtime's own messages, as CP932 bytes.
#include "common/bytes.h"

namespace qvn::messages {

inline constexpr BytesView kJumpAddressError = "Jump Address Error : ";
inline constexpr BytesView kNext = "Next";
inline constexpr BytesView kCreditLine = "Tessaline Novel Project";

const Bytes& OpenButton();        // caption of the first control while no story is open
const Bytes& WriteFailure();      // user data cannot be written
const Bytes& EnterVariable();     // appended to a variable's label in the new-game prompt
const Bytes& StoryVersion();      // prefix of the version text
const Bytes& UnusedSlot();        // slot status of a fresh slot
const Bytes& SlotInUse();         // slot status of a played slot without variables
const Bytes& DamagedSlot();       // slot status of a file that is no slot file
const Bytes& Unreadable();        // slot status of a slot that is never read (a link out)
const Bytes& EraseConfirm();      // first press of the erase button
const Bytes& IdeographicSpace();  // in front of the caption of a single choice

}  // namespace qvn::messages
