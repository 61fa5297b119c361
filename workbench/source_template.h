#pragma once
// The five lines a new source starts with.
#include "common/bytes.h"

namespace qvn {

// CP932 bytes, CR LF after each line.
Bytes NewSourceTemplate();

}  // namespace qvn
