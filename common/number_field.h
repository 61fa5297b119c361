#pragma once
// The number field of the source language and of the data files: optional
// leading blanks, then an optional sign and decimal digits, or "$" and
// hexadecimal digits. Anything else, or nothing, does not convert.
#include <cstdint>
#include <optional>

#include "common/bytes.h"

namespace qvn {

std::optional<std::int32_t> ParseNumberField(BytesView field);

// The value of one hexadecimal digit, either letter case.
std::optional<int> HexDigit(char ch);

}  // namespace qvn
