#pragma once
// The key number of a protected story and the checks of the password dialog.
#include <cstdint>
#include <optional>

#include "common/bytes.h"

namespace qvn {

inline constexpr int kMinKeyNumber = 256;
inline constexpr int kMaxKeyNumber = 32000;
inline constexpr int kStartKeyNumber = 1000;

// The key field's text as a key number: blanks, then a signed decimal or "$"
// and hexadecimal digits, within 256 to 32000. nullopt otherwise.
std::optional<std::int16_t> KeyNumberOf(BytesView key_text);

// One arrow step from `position`, wrapping from 32000 up to 256 and from 256
// down to 32000. A position outside the range is first brought into it.
int StepKeyNumber(int position, int delta);

// The dialog closes only on a non-empty password and a valid key number.
bool PasswordInputComplete(BytesView password, BytesView key_text);

}  // namespace qvn
