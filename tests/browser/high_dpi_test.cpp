// The page at the screen's device pixel ratio: the same rows, breaks and
// scroll steps in logical pixels, drawn with sharp glyphs. Run at scale 1
// and again with QT_SCALE_FACTOR=2.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>

#include "browser/main_form.h"
#include "browser/page_widget.h"
#include "compiler/compile.h"
#include "layout/page_breaking.h"
#include "tests/browser/dialog_driver.h"
#include "tests/support/temp_folder.h"

namespace qvn::testing {
namespace {

TEST(HighDpiPage, SameRowsInLogicalPixelsAndSharpGlyphs) {
  TempFolder folder;
  std::filesystem::create_directories(folder / "program");
  Bytes story = "#START\r\n";
  for (int i = 0; i < 40; ++i)
    story += "Row " + std::to_string(i) +
             " of the page, long enough to break in two rows at 620 pixels wide.\r\n";
  story += "?END\r\nEND\r\n#END\r\nThe end.\r\n/\r\n";
  WriteBytes(folder / "story.src", story);
  NullLogSink sink;
  ASSERT_EQ(Compile((folder / "story.src").string(), {}, sink).outcome, CompileOutcome::kSuccess);
  MainForm form((folder / "program").string() + "/");
  DialogDriver driver;
  driver.ChooseSlot(1);
  form.SetCommandLineStory((folder / "story.qvn").string());
  form.show();
  ASSERT_TRUE(WaitFor([&] { return form.Session().IsOpen() && driver.Done(); }));
  const qreal ratio = form.Page()->devicePixelRatioF();

  // The default font (IPAMincho, 21 pixels, bold italic) measured at scale 1.
  EXPECT_EQ(form.Metrics().cell_width, 12);
  EXPECT_EQ(form.Metrics().line_pitch, 27);
  const int bytes_per_row = form.BytesPerRowNow();
  const int logical_width = 13 * bytes_per_row + 2;
  const int logical_height = 27 * EstimateRows(form.Session().PageLines(), bytes_per_row) + 2;
  const QImage& page = form.Page()->Page();
  EXPECT_EQ(page.devicePixelRatio(), ratio);
  EXPECT_EQ(page.width(), qRound(logical_width * ratio));
  EXPECT_EQ(page.height(), qRound(logical_height * ratio));
  // Scroll steps stay whole logical rows.
  EXPECT_EQ(form.ScrollBar()->singleStep(), 27);
  EXPECT_EQ(form.ScrollBar()->pageStep() % 27, 0);
  EXPECT_EQ(form.ScrollBar()->maximum(), logical_height + 27 - form.ScrollBar()->pageStep());

  // On the screen: at scale 2 the glyphs are not pixels doubled, so some
  // 2 × 2 blocks of the drawn text mix text and other colours.
  QImage shot = form.Page()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(shot.width(), qRound(form.Page()->width() * ratio));
  if (ratio >= 2) {
    int mixed = 0;
    for (int y = 0; y + 1 < shot.height() / 2; y += 2)
      for (int x = 0; x + 1 < shot.width() / 2; x += 2) {
        QRgb a = shot.pixel(x, y);
        if (a != shot.pixel(x + 1, y) || a != shot.pixel(x, y + 1) || a != shot.pixel(x + 1, y + 1))
          ++mixed;
      }
    EXPECT_GT(mixed, 200);
  }
}

}  // namespace
}  // namespace qvn::testing
