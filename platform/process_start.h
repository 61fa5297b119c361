#pragma once
// Starting an outside program and forgetting it: the command line is split at
// spaces and run without a shell, so no story text is ever interpreted by one.
#include <string>
#include <vector>

namespace qvn {

// Splits at spaces; runs of spaces separate like one.
std::vector<std::string> SplitCommandLine(const std::string& command_line);

// Starts the program detached in its own session with its output going to
// /dev/null; a bare program name is looked up on PATH. True when it started.
bool StartProgram(const std::string& command_line_utf8);

// The same with the words already separated, so that an argument holding
// spaces (a path such as "My Stories/a.src") stays one argument.
bool StartProgramArguments(std::vector<std::string> words);

}  // namespace qvn
