#pragma once
// Where a program finds its shared data (manuals, the demo story, icons):
// beside itself first (the build folder), then in the installed data folder,
// then in the source tree it was built from.
#include <string>
#include <vector>

namespace qvn {

// The folders to look in, in order, each with a trailing "/". The installed
// data folder is both `<exe>/../share/qvn/` (a moved installation) and the
// folder fixed at configure time.
std::vector<std::string> DataFolders();

// The first existing regular file `relative` under DataFolders() (also under
// their "docs/" subfolder when `relative` is a manual); empty when none.
std::string FindDataFile(const std::string& relative);

}  // namespace qvn
