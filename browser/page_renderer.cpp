#include "browser/page_renderer.h"

#include <QFontMetrics>
#include <QPainter>

#include "browser/layout/page_breaking.h"
#include "browser/layout/page_metrics.h"
#include "browser/qt_text.h"

namespace qvn {

namespace {

QColor ToQColor(Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

// Calls `draw(row, index)` for every row of the page, in order.
template <typename DrawRow>
void ForEachRow(const std::vector<Bytes>& lines, int bytes_per_row, DrawRow draw) {
  int index = 0;
  for (const Bytes& line : lines) {
    for (BytesView row : BreakLine(line, bytes_per_row)) draw(row, index++);
  }
}

}  // namespace

QFont PageFont(const QFont& font) {
  QFont page_font(font);
  page_font.setStyleStrategy(QFont::NoAntialias);
  return page_font;
}

FontMetrics MeasureFont(const QFont& font, int gap_tenths) {
  QFontMetrics metrics(PageFont(font));
  QString sample = FromUtf8(u8"字幅Metric");
  FontMetrics result;
  result.cell_width = std::max(1, CellWidth(metrics.horizontalAdvance(sample)));
  result.sample_height = metrics.height();
  result.line_pitch = std::max(1, LinePitch(result.sample_height, gap_tenths));
  return result;
}

QImage RenderPage(const std::vector<Bytes>& lines, const QFont& font, const FontMetrics& metrics,
                  int bytes_per_row, const PageStyle& style) {
  int width = (metrics.cell_width + 1) * std::max(bytes_per_row, 2) + 2;
  int height = metrics.line_pitch * EstimateRows(lines, bytes_per_row) + 2;
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);

  QPainter painter(&image);
  QFont page_font = PageFont(font);
  painter.setFont(page_font);
  painter.setRenderHint(QPainter::TextAntialiasing, false);
  int ascent = QFontMetrics(page_font).ascent();

  // The outline: each row nine times around its place, then the text once.
  painter.setPen(ToQColor(style.outline));
  ForEachRow(lines, bytes_per_row, [&](BytesView row, int r) {
    if (row.empty()) return;
    QString text = FromCp932(row);
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) painter.drawText(i, r * metrics.line_pitch + j + ascent, text);
  });
  painter.setPen(ToQColor(style.text));
  ForEachRow(lines, bytes_per_row, [&](BytesView row, int r) {
    if (row.empty()) return;
    painter.drawText(1, r * metrics.line_pitch + 1 + ascent, FromCp932(row));
  });
  return image;
}

}  // namespace qvn
