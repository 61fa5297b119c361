#pragma once
// A UTF-8 story source made into the CP932 lines the compile reads: each line
// is converted on its own and then cut at 255 bytes, so every limit counts
// converted bytes, and the lines keep their numbers.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "common/bytes.h"
#include "common/encoding_source.h"

namespace qvn {

class Utf8Source {
 public:
  // `source` without its byte-order mark. With `certain` false (the encoding
  // was decided automatically) a byte that is no UTF-8 makes the source
  // Shift-JIS after all: nullopt.
  static std::optional<Utf8Source> Convert(BytesView source, bool certain);

  // The converted lines, each ended by LF; a line that could not be
  // converted holds what came before its bad character.
  BytesView Lines() const { return lines_; }
  // Line `number` (1-based) as the author wrote it.
  std::string_view AsWritten(int number) const;
  // The first line that could not be converted, and why.
  int FailedLine() const { return failed_line_; }  // 0: none
  const Unconvertible& Failure() const { return failure_; }

 private:
  BytesView source_;
  Bytes lines_;
  std::vector<std::uint32_t> starts_;  // where each line begins in `source_`
  int failed_line_ = 0;
  Unconvertible failure_;
};

}  // namespace qvn
