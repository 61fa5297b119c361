#pragma once
// The folder of the running executable, where the programs look for their
// companions (QVN3, QVND) and, when it may be written, their settings files.
#include <string>

namespace qvn {

// With a trailing "/"; the current folder ("./") when it cannot be found.
std::string ProgramFolder();

}  // namespace qvn
