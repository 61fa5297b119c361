#pragma once
// Help: the project's HTML manual, opened at the anchor of a topic id.
#include <QString>
#include <string>

namespace qvn {

// The manual page `name` (".html" added) from the program folder, else from
// the manual folder of the installation; empty when neither exists.
QString FindManualPage(const std::string& program_folder, const QString& name);

// Opens it in the desktop's browser at `topic`; false when there is none.
bool OpenHelp(const std::string& program_folder, const QString& name, const QString& topic);

}  // namespace qvn
