#pragma once
// The manuals of the two programs: where the installed or built copy is, in
// the language the program speaks.
#include <string>

#include "platform/language.h"

namespace qvn {

inline constexpr char kBrowserManual[] = "qvn3.html";
inline constexpr char kWorkbenchManual[] = "workbench.html";

// The manual's path in `language` (beside the program, in the installed data
// folder, or in the source tree): the Japanese manual lies in the data folder
// itself, another language's in a folder named by its code ("en/qvn3.html").
// A manual missing in that language gives the Japanese one; empty when there
// is none at all.
std::string ManualPath(const std::string& manual, Language language);

// The same in the language of the words the program shows: the one its
// installed message catalogue translates into, Japanese without one.
std::string ManualPath(const std::string& manual);

// The language the installed message catalogue speaks.
Language CatalogueLanguage();

}  // namespace qvn
