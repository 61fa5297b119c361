#pragma once

namespace qvn {

// `qvn export --web`: a compiled story as one HTML page. argv[0] is "export".
int RunExportCommand(int argc, char** argv);

}  // namespace qvn
