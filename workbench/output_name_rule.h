#pragma once
// A source may not carry a name the compile writes: its outputs are the base
// path with ".qvn", ".qvj", ".Q01" to ".Q04" (and the browser's ".QV$"), and
// the compile must never overwrite the source it is reading.
#include <string>

namespace qvn {

// True when the extension (after the first "." of the file name) begins with
// "QV" or "Q0" in any letter case; names compare that way on the system the
// stories come from and in our case-insensitive file resolution.
bool CollidesWithOutputs(const std::string& source_path);

}  // namespace qvn
