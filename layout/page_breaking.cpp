#include "layout/page_breaking.h"

#include <algorithm>

#include "common/sjis.h"

namespace qvn {

int BytesPerRow(int client_width, int scroll_bar_width, int cell_width) {
  if (cell_width <= 0) return 2;
  return ((client_width - scroll_bar_width) / (2 * cell_width)) * 2 - 2;
}

bool IsLineStartForbidden(unsigned char lead, unsigned char trail) {
  if (lead != 0x81) return false;
  switch (trail) {
    case 0x41:  // 、
    case 0x42:  // 。
    case 0x48:  // ？
    case 0x49:  // ！
    case 0x76:  // 」
    case 0x6A:  // ）
    case 0x70:  // ｝
    case 0x6E:  // ］
      return true;
    default:
      return false;
  }
}

std::vector<BytesView> BreakLine(BytesView line, int bytes_per_row) {
  std::vector<BytesView> rows;
  if (line.empty()) {
    rows.emplace_back();
    return rows;
  }
  const std::size_t width = static_cast<std::size_t>(std::max(bytes_per_row, 2));
  std::size_t start = 0;
  while (start < line.size()) {
    std::size_t length = std::min(width, line.size() - start);
    // Walk the characters: a row that would end on a lead byte gives it back.
    std::size_t walked = 0;
    while (walked < length) {
      walked += IsLeadByte(static_cast<unsigned char>(line[start + walked])) ? 2 : 1;
    }
    if (walked > length) --length;
    // Only a lead byte that ends the line (half a character, as a cut at a
    // byte limit leaves it) cannot give a row: it is a row of its own.
    if (length == 0) length = line.size() - start;
    std::size_t next = start + length;
    // A closing mark right after the break stays with this row.
    if (next + 1 < line.size() && IsLineStartForbidden(static_cast<unsigned char>(line[next]),
                                                       static_cast<unsigned char>(line[next + 1])))
      length += 2;
    rows.push_back(line.substr(start, length));
    start += length;
  }
  return rows;
}

int EstimateRows(const std::vector<Bytes>& lines, int bytes_per_row) {
  int width = std::max(bytes_per_row, 2);
  int rows = 0;
  for (const Bytes& line : lines)
    rows += line.empty() ? 1 : static_cast<int>(line.size()) / width + 1;
  return rows;
}

}  // namespace qvn
