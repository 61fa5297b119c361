#pragma once
// Splits a story source into lines: a line ends at CR LF, a lone CR or a lone
// LF; the byte 0x1A ends the source; only the first 255 bytes of a line count.
#include <cstddef>

#include "common/bytes.h"

namespace qvn {

class SourceLines {
 public:
  explicit SourceLines(BytesView source) : source_(source) {}

  bool AtEnd() const { return position_ >= source_.size() || source_[position_] == '\x1A'; }

  // The next line; an empty line when the source has ended.
  BytesView Next();
  // The same, whole, however long; the caller cuts it.
  BytesView NextWhole();

 private:
  BytesView source_;
  std::size_t position_ = 0;
};

}  // namespace qvn
