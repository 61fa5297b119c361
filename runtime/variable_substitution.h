#pragma once
// "%1" to "%9" in page text and choice captions become the values of the
// string variables.
#include "common/bytes.h"
#include "format/story_variables.h"

namespace qvn {

// Replaces each "%" followed by a digit 1 to 9 by that variable's value, from
// the left; inserted values are not examined again, so a value holding "%"
// shows as typed. Any other "%" stays as it is. The result is cut to 255
// bytes.
Bytes SubstituteVariables(BytesView line, const StringVariables& variables);

}  // namespace qvn
