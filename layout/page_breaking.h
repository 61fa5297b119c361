#pragma once
// Breaking the page's lines into rows of a fixed number of bytes: a row never
// ends inside a double-byte character and never begins with a closing mark.
#include <vector>

#include "common/bytes.h"

namespace qvn {

// Bytes per row for a text area: always even, two bytes short of the width.
int BytesPerRow(int client_width, int scroll_bar_width, int cell_width);

// The rows of one line; an empty line gives one empty row. `bytes_per_row`
// below 2 is taken as 2 so that every row makes progress.
std::vector<BytesView> BreakLine(BytesView line, int bytes_per_row);

// The rows the page image is sized for, counted before breaking: one for an
// empty line, else length / W + 1.
int EstimateRows(const std::vector<Bytes>& lines, int bytes_per_row);

// True for the eight marks that may not begin a row: 、。？！」）｝］
bool IsLineStartForbidden(unsigned char lead, unsigned char trail);

}  // namespace qvn
