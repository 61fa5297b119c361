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

// The window icon (from the theme, else the program's own 48 and 256 pixel
// pictures under ":/icons") and the desktop entry id `desktop_id`.
void SetProgramIdentity(const char* desktop_id);

// Both of the first two.
void SetUpApplication(QCoreApplication& application);

}  // namespace qvn
