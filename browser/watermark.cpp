#include "browser/watermark.h"

#include <QFontMetrics>

namespace qvn {

namespace {
constexpr int kCellHeight = 20;
}

QFont WatermarkFont(const QString& family) {
  QFont font(family);
  font.setBold(true);
  font.setStyleStrategy(QFont::NoAntialias);
  for (int pixels = kCellHeight; pixels > 1; --pixels) {
    font.setPixelSize(pixels);
    if (QFontMetrics(font).ascent() + QFontMetrics(font).descent() <= kCellHeight) break;
  }
  return font;
}

int WatermarkStepFor(const QFont& font) {
  QFontMetrics metrics(font);
  return WatermarkStep(metrics.horizontalAdvance(kWatermarkText) +
                       metrics.horizontalAdvance(QLatin1Char(' ')));
}

void PaintWatermark(QPainter& painter, Size area, const QColor& colour, const QFont& font) {
  painter.setFont(font);
  painter.setPen(colour);
  const int ascent = QFontMetrics(font).ascent();
  for (Point at : WatermarkOrigins(area, WatermarkStepFor(font))) {
    painter.save();
    painter.translate(at.x, at.y);
    painter.rotate(-45);  // rising to the right
    painter.drawText(0, ascent, kWatermarkText);
    painter.restore();
  }
}

}  // namespace qvn
