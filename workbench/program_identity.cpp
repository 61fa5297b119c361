#include "workbench/program_identity.h"

#include "gui/application_setup.h"
#include "platform/manual.h"

namespace qvn {

namespace {

constexpr const char* kHelp =
    "usage: QvnMakeW [SOURCE]\n"
    "       QvnMakeW --help | --version | --manual-path\n"
    "\n"
    "The author's workbench: opens the story source SOURCE (a new name is made\n"
    "from the template), edits and compiles it into a story for QVN3.\n"
    "The same compile without a window: qvn compile.\n"
    "\n"
    "  --help         print this text\n"
    "  --version      print the version\n"
    "  --manual-path  print the path of the manual that F1 shows\n"
    "\n"
    "Settings: QvnMakeW.ini beside the program when its folder may be written,\n"
    "otherwise $XDG_CONFIG_HOME/qvn/QvnMakeW.ini (default ~/.config/qvn/).\n";

constexpr const char* kDesktopId = "org.qvnlinux.QvnMakeW";

}  // namespace

const ProgramInfo& WorkbenchProgramInfo() {
  static const ProgramInfo info{"QvnMakeW", kHelp, kWorkbenchManual};
  return info;
}

void SetWorkbenchIdentity() {
  SetProgramIdentity(kDesktopId);
}

}  // namespace qvn
