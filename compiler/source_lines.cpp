#include "compiler/source_lines.h"

#include <cstring>

namespace qvn {

BytesView SourceLines::Next() {
  if (AtEnd()) return {};
  const char* start = source_.data() + position_;
  std::size_t left = source_.size() - position_;
  std::size_t length = left;
  // The first CR, LF or end-of-file mark ends the line.
  for (std::size_t i = 0; i < left; ++i) {
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
  return BytesView(start, length < kMaxLineBytes ? length : kMaxLineBytes);
}

}  // namespace qvn
