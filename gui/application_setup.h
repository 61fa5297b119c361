#pragma once
// What both programs set up before their first window.
#include <optional>
#include <string>

#include "platform/info_options.h"
#include "platform/language.h"

class QCoreApplication;

namespace qvn {

// The fonts the stories and the windows name, on a system that has the IPA
// fonts and Liberation Sans instead.
void InstallFontSubstitutes();

// The program's own words and Qt's dialog texts (the standard buttons, the
// file and font dialogs) in `language`, for Qt code and for the Qt-free
// libraries alike, replacing what an earlier call installed. Japanese, the
// default, needs no file of ours; false when a translation is missing (the
// program's own words then stay Japanese).
bool InstallLanguage(QCoreApplication& application, Language language);

// The language the settings file `settings_file` (for example "qvn.ini") in
// the settings folders of `program_folder` chooses, else the locale's,
// installed as InstallLanguage does.
bool InstallProgramTranslation(QCoreApplication& application, const std::string& program_folder,
                               const char* settings_file);

// The language installed last (Japanese before any).
Language InstalledLanguage(const QCoreApplication& application);

// Before the application exists: prints the answer to an information option
// in argv[1] (--help in the language the windows would speak, InfoLanguage)
// and returns its exit status; nothing for any other argument.
std::optional<int> PrintInfoOptionInLanguage(int argc, char** argv, const ProgramInfo& info);

// The window icon (from the theme, else the program's own 48 and 256 pixel
// pictures under ":/icons") and the desktop entry id `desktop_id`.
void SetProgramIdentity(const char* desktop_id);

// The font substitutes and the language of the running program's settings
// file `settings_file` (nullptr: the locale's).
void SetUpApplication(QCoreApplication& application, const char* settings_file = nullptr);

}  // namespace qvn
