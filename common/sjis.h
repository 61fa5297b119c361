#pragma once
// Shift-JIS (CP932) byte rules: lead bytes, ASCII-only upper-casing and the
// search for single-byte characters that never matches a trail byte.
#include <cstddef>

#include "common/bytes.h"

namespace qvn {

// True for the first byte of a double-byte character (0x81-0x9F, 0xE0-0xFC).
constexpr bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Upper-cases the ASCII letters a to z; the trail byte of a double-byte
// character is left as written even where it lies in 0x61-0x7A.
void UpperAsciiInPlace(Bytes& text);
Bytes UpperAscii(BytesView text);

// Position of the first single-byte `ch` at or after `from`, skipping the
// trail bytes of double-byte characters; npos when absent.
std::size_t FindSingleByte(BytesView text, char ch, std::size_t from = 0);

// True when `text` holds a backslash that is a character of its own.
inline bool HasBackslash(BytesView text) {
  return FindSingleByte(text, '\\') != BytesView::npos;
}

}  // namespace qvn
