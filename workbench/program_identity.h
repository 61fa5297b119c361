#pragma once
// What QvnMakeW tells about itself: its --help text and manual, and the icon
// and desktop entry its windows carry.
#include "platform/info_options.h"

namespace qvn {

const ProgramInfo& WorkbenchProgramInfo();

// Sets the application's window icon and desktop entry id; call after the
// QApplication is made.
void SetWorkbenchIdentity();

}  // namespace qvn
