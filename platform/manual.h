#pragma once
// The manuals of the two programs: where the installed or built copy is.
#include <string>

namespace qvn {

inline constexpr char kBrowserManual[] = "qvn3.html";
inline constexpr char kWorkbenchManual[] = "workbench.html";

// The manual's path (beside the program, in the installed data folder, or in
// the source tree); empty when there is none.
std::string ManualPath(const std::string& manual);

}  // namespace qvn
