#include "compiler/source_lines.h"

#include <cstdint>
#include <cstring>

namespace qvn {

BytesView SourceLines::NextWhole() {
  if (AtEnd()) return {};
  const char* start = source_.data() + position_;
  std::size_t left = source_.size() - position_;
  std::size_t length = left;
  // The first CR, LF or end-of-file mark ends the line. Eight bytes at a time
  // are passed over while none of them is a control byte.
  std::size_t i = 0;
  for (; i + 8 <= left; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, start + i, 8);
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    if (((word - kOnes * 0x20) & ~word & kOnes * 0x80) != 0) break;
  }
  for (; i < left; ++i) {
    char ch = start[i];
    if (ch == '\r' || ch == '\n' || ch == '\x1A') {
      length = i;
      break;
    }
  }
  position_ += length;
  if (position_ < source_.size()) {
    char end = source_[position_];
    if (end == '\r') {
      ++position_;
      if (position_ < source_.size() && source_[position_] == '\n') ++position_;
    } else if (end == '\n') {
      ++position_;
    }
  }
  return BytesView(start, length);
}

BytesView SourceLines::Next() {
  return NextWhole().substr(0, kMaxLineBytes);
}

}  // namespace qvn
