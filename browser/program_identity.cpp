#include "browser/program_identity.h"

#include "gui/application_setup.h"
#include "platform/manual.h"

namespace qvn {

namespace {

constexpr const char* kHelp =
    "usage: QVN3 [STORY]\n"
    "       QVN3 --help | --version | --manual-path\n"
    "\n"
    "The reader's browser: opens the compiled story STORY (its .qvn file) and\n"
    "plays it page by page in one of four save slots.\n"
    "\n"
    "  --help         print this text\n"
    "  --version      print the version\n"
    "  --manual-path  print the path of the manual that F1 shows\n"
    "\n"
    "Settings: qvn.ini beside the program when its folder may be written,\n"
    "otherwise $XDG_CONFIG_HOME/qvn/qvn.ini (default ~/.config/qvn/).\n";

constexpr const char* kDesktopId = "org.qvnlinux.QVN3";

}  // namespace

const ProgramInfo& BrowserProgramInfo() {
  static const ProgramInfo info{"QVN3", kHelp, kBrowserManual};
  return info;
}

void SetBrowserIdentity() {
  SetProgramIdentity(kDesktopId);
}

}  // namespace qvn
