// Page lines of any bytes, broken into rows of any width: the rows cover the
// line in order, each makes progress, none is wider than a row and a closing
// mark, and no break falls inside a double-byte character.
#include <cstdint>
#include <cstdlib>

#include "common/sjis.h"
#include "layout/page_breaking.h"

// Input: one byte giving the bytes per row (as a signed number, so that
// widths below 2 are tried too), then the line.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const int bytes_per_row = static_cast<std::int8_t>(data[0]);
  const qvn::BytesView line(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::size_t width = static_cast<std::size_t>(bytes_per_row < 2 ? 2 : bytes_per_row);

  std::vector<qvn::BytesView> rows = qvn::BreakLine(line, bytes_per_row);
  if (line.empty()) {
    if (rows.size() != 1 || !rows[0].empty()) std::abort();
    return 0;
  }
  // Where characters begin: a break may fall only there (or at the end).
  std::vector<bool> starts(line.size() + 1, false);
  for (std::size_t at = 0; at < line.size();) {
    starts[at] = true;
    at += qvn::IsLeadByte(static_cast<unsigned char>(line[at])) ? 2 : 1;
  }
  starts[line.size()] = true;

  std::size_t at = 0;
  for (qvn::BytesView row : rows) {
    if (row.empty() || row.data() != line.data() + at) std::abort();
    if (row.size() > width + 2) std::abort();
    at += row.size();
    if (!starts[at]) std::abort();
  }
  if (at != line.size()) std::abort();

  std::vector<qvn::Bytes> lines{qvn::Bytes(line), qvn::Bytes()};
  if (qvn::EstimateRows(lines, bytes_per_row) < 2) std::abort();
  return 0;
}
