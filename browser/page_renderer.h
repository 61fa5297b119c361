#pragma once
// Drawing the page: the rows the layout computes, in the window font, with a
// one-pixel outline, on a transparent image laid over the background.
#include <QFont>
#include <QImage>
#include <cstdint>
#include <vector>

#include "common/bytes.h"
#include "layout/page_colours.h"

namespace qvn {

struct FontMetrics {
  int cell_width = 8;
  int sample_height = 16;
  int line_pitch = 19;
};

// Measures the sample "字幅Metric" in `font`.
FontMetrics MeasureFont(const QFont& font, int gap_tenths);

// The window font as the page draws it: fully hinted, with its glyphs
// smoothed (antialiased) or not. Measured unsmoothed: the cells stay the same.
QFont PageFont(const QFont& font, bool smooth = false);

struct PageStyle {
  Rgb text;
  Rgb outline;
  bool smooth = true;  // glyph edges antialiased; the outline stays crisp
};

// Draws pages into buffers it keeps, so that a new page costs no allocation.
class PageRenderer {
 public:
  // The page image: (cell + 1) × W + 2 wide, line pitch × estimated rows + 2
  // high in logical pixels, drawn at the device pixel ratio; transparent where
  // nothing is drawn. It shares the renderer's buffer and stays valid until
  // the next call.
  QImage Render(const std::vector<Bytes>& lines, const QFont& font, const FontMetrics& metrics,
                int bytes_per_row, const PageStyle& style, qreal device_pixel_ratio = 1);

 private:
  std::vector<std::uint8_t> glyphs_;
  std::vector<std::uint8_t> across_;
  std::vector<std::uint32_t> pixels_;
};

}  // namespace qvn
