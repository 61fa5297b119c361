#pragma once
// File names and other texts a user chose, printed to a terminal: their
// control bytes are shown escaped ("\e", "\n", "\xNN") so that a name can
// neither drive the terminal nor start a line of its own, which an editor
// reading diagnostics would take for a report.
#include <string>
#include <string_view>

namespace qvn {

// C0 controls and DEL escaped, and the two-byte UTF-8 spelling of a C1
// control as "\xC2\xNN"; every other byte as it is.
std::string EscapeControlBytes(std::string_view text);

}  // namespace qvn
