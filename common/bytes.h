#pragma once
// CP932 byte strings. Story text, messages and compiled files are never decoded
// inside the logic: lengths, cuts and comparisons count bytes.
#include <cstddef>
#include <string>
#include <string_view>

namespace qvn {

using Bytes = std::string;
using BytesView = std::string_view;

// The longest line, record or message the system handles.
inline constexpr std::size_t kMaxLineBytes = 255;

// The first `limit` bytes of `text`; may split a double-byte character, as the
// file formats require.
inline Bytes CutBytes(BytesView text, std::size_t limit) {
  return Bytes(text.substr(0, limit));
}

inline bool StartsWith(BytesView text, BytesView prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

}  // namespace qvn
