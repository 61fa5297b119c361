#pragma once

namespace qvn {

// `qvn play`: plays a compiled story in the terminal. argv[0] is "play".
int RunPlayCommand(int argc, char** argv);

}  // namespace qvn
