#include "browser/page_text_rows.h"

#include <algorithm>

#include "browser/qt_text.h"
#include "layout/page_breaking.h"

namespace qvn {

std::vector<TextRow> TextRows(const std::vector<Bytes>& lines, int bytes_per_row) {
  std::vector<TextRow> rows;
  int offset = 0;
  for (const Bytes& line : lines) {
    // The rows' own texts may decode to other lengths than the line's where
    // a row ends in a broken character: the line's decoded length rules.
    const int line_length = static_cast<int>(FromCp932(line).size());
    const int line_start = offset;
    for (BytesView row : BreakLine(line, bytes_per_row)) {
      const int start = std::min(offset, line_start + line_length);
      const int end =
          std::min(start + static_cast<int>(FromCp932(row).size()), line_start + line_length);
      rows.push_back({start, end - start});
      offset = end;
    }
    if (!rows.empty()) rows.back().length = line_start + line_length - rows.back().start;
    offset = line_start + line_length + 1;
  }
  return rows;
}

int RowAt(const std::vector<TextRow>& rows, int offset) {
  // The last row that starts at or before the offset.
  auto after = std::upper_bound(rows.begin(), rows.end(), offset,
                                [](int at, const TextRow& row) { return at < row.start; });
  return after == rows.begin() ? 0 : static_cast<int>(after - rows.begin()) - 1;
}

}  // namespace qvn
