#pragma once
// `qvn compile`: the workbench's compile, with its log on stdout.
namespace qvn {

// argv[0] is "compile". Exit status: 0 compiled, 1 compile error, 2 write
// failure or unreadable source, 64 bad usage.
int RunCompileCommand(int argc, char** argv);

}  // namespace qvn
