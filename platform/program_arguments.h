#pragma once
// Starting an outside program from words already split, for arguments that
// hold spaces (file names in folders with spaces).
#include <string>
#include <vector>

namespace qvn {

// Like StartProgram, but each element of `argv` is one argument as it is.
bool StartProgramWithArguments(const std::vector<std::string>& argv);

}  // namespace qvn
