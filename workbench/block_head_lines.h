#pragma once
// Where each block begins in a story source: the line of its head ("#" and
// the name), so a report that names a block can lead to it.
#include <map>

#include "common/bytes.h"

namespace qvn {

// Block name (cut to 8 bytes, as the index keeps it) to its head's line
// number (from 1); the first head of a name wins. A UTF-8 source's names are
// also found by their Shift-JIS bytes.
std::map<Bytes, int> BlockHeadLines(BytesView source);

}  // namespace qvn
