#pragma once
// The dialog of 開く: Qt's own file dialog, so that every word in it is
// Japanese (the file types included), started in a given folder and wide
// enough for its size, type and date columns.
#include <QString>

class QWidget;

namespace qvn {

// The chosen story file, or an empty string when cancelled.
QString ChooseStoryFile(QWidget* parent, const QString& start_folder);

}  // namespace qvn
