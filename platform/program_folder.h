#pragma once
// The folder of the running executable, where the programs look for their
// companions (QVN3, QVND) and, when it may be written, their settings files.
#include <string>

namespace qvn {

// With a trailing "/"; the current folder ("./") when it cannot be found.
std::string ProgramFolder();

// Whether the running program lies in the build folder it was built in.
bool RunFromBuildFolder();

// `program_folder` when the program runs from its build folder, where it
// keeps its settings and read-only stories' slots beside itself; empty for an
// installed program, which never writes into its own folder (two stories of
// one base name would share slots there, and root could write into the
// system's program folder).
std::string ProgramFolderForWriting(const std::string& program_folder);

// The same rule with the build folder given: whether `program_folder` lies
// inside `build_folder` once links are resolved.
bool InsideBuildFolder(const std::string& program_folder, const std::string& build_folder);

}  // namespace qvn
