#pragma once
// What both programs set up before their first window.
class QCoreApplication;

namespace qvn {

// The fonts the stories and the windows name, on a system that has the IPA
// fonts and Liberation Sans instead.
void InstallFontSubstitutes();

// Qt's own dialog texts in Japanese; false when the translations are missing
// (the dialogs then speak English).
bool InstallQtTranslations(QCoreApplication& application);

// The program's own words in the language its settings file `settings_file`
// (for example "qvn.ini") or else the locale chooses, for Qt code and for the
// Qt-free libraries alike; Japanese, the default, needs no file. False when
// the translation is missing (the program then speaks Japanese).
bool InstallProgramTranslation(QCoreApplication& application, const char* settings_file);

// The window icon (from the theme, else the program's own 48 and 256 pixel
// pictures under ":/icons") and the desktop entry id `desktop_id`.
void SetProgramIdentity(const char* desktop_id);

// The font substitutes and the translations; `settings_file` as for
// InstallProgramTranslation, nullptr for the locale alone.
void SetUpApplication(QCoreApplication& application, const char* settings_file = nullptr);

}  // namespace qvn
