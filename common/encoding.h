#pragma once
// The one place where CP932 meets UTF-8: widgets, terminals and file names.
// The logic never calls these on story text it compares or measures.
#include <string>
#include <string_view>

#include "common/bytes.h"

namespace qvn {

// Bytes that are not valid CP932 become U+FFFD, so a damaged story still shows.
std::string Cp932ToUtf8(BytesView cp932);

// Characters CP932 cannot hold become "?".
Bytes Utf8ToCp932(std::string_view utf8);

// For the system's own messages, written readable in the source.
inline Bytes Sjis(std::u8string_view utf8) {
  return Utf8ToCp932(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
}

}  // namespace qvn
