#include "browser/page_renderer.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "browser/qt_text.h"
#include "layout/page_breaking.h"
#include "layout/page_metrics.h"

namespace qvn {

namespace {

// Calls `draw(row, index)` for every row of the page, in order.
template <typename DrawRow>
void ForEachRow(const std::vector<Bytes>& lines, int bytes_per_row, DrawRow draw) {
  int index = 0;
  for (const Bytes& line : lines) {
    for (BytesView row : BreakLine(line, bytes_per_row)) draw(row, index++);
  }
}

struct PageBuffers {
  const std::uint8_t* glyphs;
  std::uint8_t* across;  // stride × (height + 2): a zero row above and below
  std::uint32_t* pixels;
  int width;
  int height;
  std::size_t stride;
};

// The outline is the text drawn at the eight neighbouring offsets: the
// coverage grown by `radius` device pixels (one logical pixel) across, then
// down. Plain loops over bytes that the compiler vectorises, for the widest
// vectors the processor has.
__attribute__((target_clones("avx2", "default"))) void ColourPage(const PageBuffers& page,
                                                                  std::uint32_t text,
                                                                  std::uint32_t outline,
                                                                  int radius) {
  const int width = page.width;
  const std::size_t stride = page.stride;
  const std::size_t area = stride * static_cast<std::size_t>(page.height);
  const std::size_t margin = stride * static_cast<std::size_t>(radius);
  std::uint8_t* grown = page.across + margin;
  std::fill_n(page.across, margin, std::uint8_t{0});
  std::fill_n(grown + area, margin, std::uint8_t{0});
  for (int y = 0; y < page.height; ++y) {
    const std::uint8_t* in = page.glyphs + static_cast<std::size_t>(y) * stride;
    std::uint8_t* out = grown + static_cast<std::size_t>(y) * stride;
    // The outline follows the solid part of the glyphs, so that it stays
    // crisp however smooth their edges are.
    for (int x = 0; x < width; ++x) out[x] = in[x] >= 128 ? 0xFF : 0;
    for (int k = 1; k <= radius; ++k) {
      for (int x = 0; x + k < width; ++x) out[x] |= in[x + k] >= 128 ? 0xFF : 0;
      for (int x = k; x < width; ++x) out[x] |= in[x - k] >= 128 ? 0xFF : 0;
    }
  }
  for (int y = 0; y < page.height; ++y) {
    const std::uint8_t* here = grown + static_cast<std::size_t>(y) * stride;
    const std::uint8_t* glyph_row = page.glyphs + static_cast<std::size_t>(y) * stride;
    std::uint32_t* out = page.pixels + static_cast<std::size_t>(y) * stride;
    for (int x = 0; x < width; ++x) {
      std::uint8_t edge = here[x];
      for (int k = 1; k <= radius; ++k)
        edge |= here[x - static_cast<std::ptrdiff_t>(k * stride)] | here[x + k * stride];
      // The text over the outline (or nothing) by the glyph's coverage;
      // premultiplied colours mix channel by channel.
      std::uint32_t under = edge ? outline : 0u;
      std::uint32_t cover = glyph_row[x];
      std::uint32_t mixed = 0;
      for (int shift = 0; shift < 32; shift += 8) {
        std::uint32_t a = (under >> shift) & 0xFF;
        std::uint32_t b = (text >> shift) & 0xFF;
        mixed |= ((a * (255 - cover) + b * cover + 127) / 255) << shift;
      }
      out[x] = mixed;
    }
  }
}

}  // namespace

QFont PageFont(const QFont& font, bool smooth) {
  QFont page_font(font);
  // Grey smoothing only: colour (subpixel) glyphs cannot be drawn as the
  // coverage the outline is grown from.
  page_font.setStyleStrategy(
      smooth ? QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias)
             : QFont::NoAntialias);
  // Whole-pixel advances, as the glyphs of a bitmap font have: a fixed-pitch
  // font's ten-byte sample is then ten whole cells.
  page_font.setHintingPreference(QFont::PreferFullHinting);
  return page_font;
}

namespace {

// The widest advance of one byte of text: a single-byte character, or half a
// double-byte one. A row must fit in cells of this width.
qreal WidestByteAdvance(const QFontMetricsF& metrics) {
  qreal widest = 0;
  for (char16_t ch = 0x21; ch < 0x7F; ++ch)
    widest = std::max(widest, metrics.horizontalAdvance(QChar(ch)));
  for (char16_t ch : {u'ｱ', u'ｶ', u'ﾑ'})
    widest = std::max(widest, metrics.horizontalAdvance(QChar(ch)));
  for (char16_t ch : {u'字', u'幅', u'Ｗ', u'あ', u'ア', u'、'})
    widest = std::max(widest, metrics.horizontalAdvance(QChar(ch)) / 2);
  return widest;
}

}  // namespace

FontMetrics MeasureFont(const QFont& font, int gap_tenths) {
  const QFont page_font = PageFont(font);
  QFontMetrics metrics(page_font);
  QString sample = FromUtf8(u8"字幅Metric");
  FontMetrics result;
  // The sample gives the cell of a fixed-pitch font; a font whose characters
  // are wider than that (a fraction rounded off, or a font of varying pitch
  // from the settings file) gets cells of its widest character, so that no
  // row runs under the scroll bar.
  const int widest =
      static_cast<int>(std::ceil(WidestByteAdvance(QFontMetricsF(page_font)) - 0.01));
  result.cell_width = std::max({1, CellWidth(metrics.horizontalAdvance(sample)), widest});
  result.sample_height = metrics.height();
  result.line_pitch = std::max(1, LinePitch(result.sample_height, gap_tenths));
  return result;
}

QImage PageRenderer::Render(const std::vector<Bytes>& lines, const QFont& font,
                            const FontMetrics& metrics, int bytes_per_row, const PageStyle& style,
                            qreal device_pixel_ratio) {
  // Laid out in logical pixels, drawn at the device pixel ratio itself: a
  // fractional one drawn larger and shrunk would give uneven strokes.
  const qreal scale = std::max<qreal>(1, device_pixel_ratio);
  const int radius = std::max(1, static_cast<int>(std::lround(scale)));
  const int logical_width = (metrics.cell_width + 1) * std::max(bytes_per_row, 2) + 2;
  const int logical_height = metrics.line_pitch * EstimateRows(lines, bytes_per_row) + 2;
  const int width = qRound(logical_width * scale);
  const int height = qRound(logical_height * scale);
  const std::size_t stride = (static_cast<std::size_t>(width) + 3) & ~std::size_t{3};
  const std::size_t area = stride * static_cast<std::size_t>(height);
  const std::size_t margin = stride * static_cast<std::size_t>(radius);
  if (glyphs_.size() < area) glyphs_.resize(area);
  if (across_.size() < area + 2 * margin) across_.resize(area + 2 * margin);
  if (pixels_.size() < area) pixels_.resize(area);

  // The glyphs once, as coverage, where the text pass puts them.
  std::fill_n(glyphs_.data(), area, std::uint8_t{0});
  QImage glyphs(glyphs_.data(), width, height, static_cast<qsizetype>(stride),
                QImage::Format_Grayscale8);
  glyphs.setDevicePixelRatio(scale);
  {
    QPainter painter(&glyphs);
    QFont page_font = PageFont(font, style.smooth);
    painter.setFont(page_font);
    painter.setPen(Qt::white);
    const int ascent = QFontMetrics(page_font).ascent();
    ForEachRow(lines, bytes_per_row, [&](BytesView row, int r) {
      if (!row.empty()) painter.drawText(1, r * metrics.line_pitch + 1 + ascent, FromCp932(row));
    });
  }

  ColourPage({glyphs_.data(), across_.data(), pixels_.data(), width, height, stride},
             qRgb(style.text.red, style.text.green, style.text.blue),
             qRgb(style.outline.red, style.outline.green, style.outline.blue), radius);
  QImage page(reinterpret_cast<uchar*>(pixels_.data()), width, height,
              static_cast<qsizetype>(stride * 4), QImage::Format_ARGB32_Premultiplied);
  page.setDevicePixelRatio(scale);
  return page;
}

}  // namespace qvn
