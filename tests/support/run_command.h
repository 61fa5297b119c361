#pragma once
// Runs a program with arguments and collects its exit status and output.
#include <string>
#include <vector>

namespace qvn::testing {

struct CommandResult {
  int status = -1;
  std::string out;
  std::string err;
};

CommandResult RunCommand(const std::vector<std::string>& argv, const std::string& input = {});

inline std::string QvnBinary() { return QVN_BINARY_DIR "/cli/qvn"; }

}  // namespace qvn::testing
