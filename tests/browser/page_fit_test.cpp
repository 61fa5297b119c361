// The page's rows stay left of the scroll bar: for the default window font in
// the real window, and for every size the font dialog offers of the bundled
// Japanese fonts, on pages of the widest rows.
#include <gtest/gtest.h>

#include <QApplication>

#include "browser/main_form.h"
#include "browser/page_renderer.h"
#include "browser/page_widget.h"
#include "browser/qt_text.h"
#include "browser/window_font.h"
#include "compiler/compile.h"
#include "layout/page_breaking.h"
#include "layout/window_geometry.h"
#include "tests/browser/dialog_driver.h"
#include "tests/support/temp_folder.h"

namespace qvn::testing {
namespace {

// Columns of `page` (drawn at x 1 of a client `client_width` wide) that lie
// under the scroll bar and hold something drawn.
int DrawnColumnsUnderScrollBar(const QImage& page, int client_width) {
  const int first_hidden = std::max(0, client_width - kScrollBarWidth - 1);  // image x of the bar
  QImage argb = page.convertToFormat(QImage::Format_ARGB32);
  std::vector<bool> drawn(static_cast<std::size_t>(std::max(0, argb.width() - first_hidden)));
  for (int y = 0; y < argb.height(); ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    for (int x = first_hidden; x < argb.width(); ++x)
      if (qAlpha(row[x]) != 0) drawn[static_cast<std::size_t>(x - first_hidden)] = true;
  }
  return static_cast<int>(std::count(drawn.begin(), drawn.end(), true));
}

// Lines longer than any row, of full-width letters, wide ASCII letters, and
// half-width katakana, each giving full rows.
std::vector<Bytes> WidestLines() {
  Bytes full, ascii, kana, mixed;
  for (int i = 0; i < 90; ++i) {
    full += "\x82\x76";  // "Ｗ"
    ascii += "W";
    kana += "\xB6";  // half-width "ｶ"
    mixed += (i % 3 == 0) ? "\x8E\x9A" /* "字" */ : "M";
  }
  return {full, ascii, kana, mixed, Bytes(170, '@')};
}

TEST(PageFit, EverySizeOfTheJapaneseFontsFitsLeftOfTheScrollBar) {
  const std::vector<Bytes> lines = WidestLines();
  PageRenderer renderer;
  for (const char* family : {"IPAGothic", "IPAMincho"}) {
    for (int points = 8; points <= 48; ++points) {
      for (int style : {0, 3}) {
        QFont font = WindowFont(family, points, style & 1, style & 2);
        FontMetrics metrics = MeasureFont(font, 12);
        for (int client_width : {604, 1003}) {
          int bytes_per_row = BytesPerRow(client_width, kScrollBarWidth, metrics.cell_width);
          if (bytes_per_row < 2) continue;
          QImage page =
              renderer.Render(lines, font, metrics, bytes_per_row, {{255, 255, 255}, {0, 0, 128}});
          EXPECT_EQ(DrawnColumnsUnderScrollBar(page, client_width), 0)
              << family << " " << points << " pt style " << style << ", client " << client_width;
        }
      }
    }
  }
}

TEST(PageFit, WholePixelSizesAndTheirPoints) {
  // 16 points at 96 dots per inch are 21.33 pixels: the font gets 21.
  EXPECT_EQ(WindowFont("IPAMincho", 16, true, true).pixelSize(), 21);
  EXPECT_EQ(WindowFont("IPAMincho", 8, false, false).pixelSize(), 11);
  EXPECT_EQ(WindowFont("IPAMincho", 9, false, false).pixelSize(), 12);
  EXPECT_EQ(WindowFont("IPAMincho", 10, false, false).pixelSize(), 13);
  EXPECT_EQ(WindowFont("IPAMincho", 48, false, false).pixelSize(), 64);
  // The settings keep points; every size comes back as it went in.
  for (int points = 1; points <= 200; ++points)
    EXPECT_EQ(WindowFontPoints(WindowFont("IPAGothic", points, false, false)), points) << points;
  // A font given in points (as from a font dialog) keeps them.
  QFont pointed("IPAGothic");
  pointed.setPointSize(12);
  EXPECT_EQ(WindowFontPoints(pointed), 12);
}

TEST(PageFit, TheDefaultPageOfLongLinesStaysLeftOfTheScrollBar) {
  TempFolder folder;
  std::filesystem::create_directories(folder / "program");
  Bytes story = "#START\r\n";
  for (const Bytes& line : WidestLines()) story += line.substr(0, 240) + "\r\n";
  story += "/\r\n";
  WriteBytes(folder / "story.src", story);
  NullLogSink sink;
  ASSERT_EQ(Compile((folder / "story.src").string(), {}, sink).outcome, CompileOutcome::kSuccess);
  // No qvn.ini: the default font, 620 pixels wide.
  MainForm form((folder / "program").string() + "/");
  DialogDriver driver;
  driver.ChooseSlot(1);
  form.SetCommandLineStory((folder / "story.qvn").string());
  form.show();
  ASSERT_TRUE(WaitFor([&] { return !form.Session().PageLines().empty() && driver.Done(); }));
  ASSERT_FALSE(form.Page()->Page().isNull());
  EXPECT_EQ(DrawnColumnsUnderScrollBar(form.Page()->Page(), form.Page()->width()), 0)
      << "cell " << form.Metrics().cell_width << ", " << form.BytesPerRowNow() << " bytes in "
      << form.Page()->width() - kScrollBarWidth;
  // And on the screen: nothing of the text colour under the bar's left edge.
  QImage shot = form.Page()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const int edge = form.Page()->width() - kScrollBarWidth;
  int covered = 0;
  for (int y = 0; y < shot.height(); ++y) {
    for (int x = edge - 2; x < edge; ++x) {
      QRgb pixel = shot.pixel(x, y);
      if (pixel == qRgb(255, 255, 255) || pixel == qRgb(0, 0, 128)) ++covered;
    }
  }
  EXPECT_EQ(covered, 0);
}

}  // namespace
}  // namespace qvn::testing
