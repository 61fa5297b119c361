#include "browser/window_font.h"

#include "layout/font_size.h"

namespace qvn {

QFont WindowFont(const QString& family, int points, bool bold, bool italic) {
  QFont font(family);
  font.setPixelSize(std::max(1, PointsToPixels(points)));
  font.setBold(bold);
  font.setItalic(italic);
  return font;
}

int WindowFontPoints(const QFont& font) {
  if (font.pixelSize() > 0) return PixelsToPoints(font.pixelSize());
  return font.pointSize();
}

}  // namespace qvn
