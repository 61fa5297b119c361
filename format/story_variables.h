#pragma once
// The nine string variables %1 to %9: a label and a value each.
#include <array>

#include "common/bytes.h"
#include "format/markers.h"

namespace qvn {

struct StringVariable {
  Bytes label{kUnusedVariable};
  Bytes value{kUnusedVariable};
};

using StringVariables = std::array<StringVariable, kVariableCount>;

}  // namespace qvn
