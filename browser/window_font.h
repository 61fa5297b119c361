#pragma once
// The window font of the page: a face, a size kept in points and drawn in
// whole pixels, bold and italic.
#include <QFont>
#include <QString>

namespace qvn {

QFont WindowFont(const QString& family, int points, bool bold, bool italic);

// The size in points of a window font (or of any font given in points).
int WindowFontPoints(const QFont& font);

}  // namespace qvn
