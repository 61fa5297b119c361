#pragma once
// Where the page's text lies in its rows: each row drawn on the page as a
// stretch of the reading text (the lines joined by "\n"), so that a caret in
// that text has a row and a place in it.
#include <vector>

#include "common/bytes.h"

namespace qvn {

struct TextRow {
  int start = 0;   // offset in the reading text, in UTF-16 code units
  int length = 0;  // without the "\n" that ends the last row of a line
};

// The rows of `lines` broken at `bytes_per_row` as the page draws them.
std::vector<TextRow> TextRows(const std::vector<Bytes>& lines, int bytes_per_row);

// The row that holds `offset` (the "\n" after a row belongs to it; the end of
// the text to the last row); 0 when there are no rows.
int RowAt(const std::vector<TextRow>& rows, int offset);

}  // namespace qvn
