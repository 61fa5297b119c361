// Under a real X server (Xvfb): the window with the Japanese demo page, taken
// from the screen as the reader would see it, is not blank and is smoothed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <set>

#include "browser/main_form.h"
#include "browser/page_widget.h"
#include "compiler/compile.h"
#include "tests/browser/dialog_driver.h"
#include "tests/support/temp_folder.h"

namespace qvn::testing {
namespace {

TEST(Screenshot, DemoPageOnTheScreen) {
  if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs an X server";
  TempFolder folder;
  std::filesystem::create_directories(folder / "program");
  for (const auto& entry :
       std::filesystem::directory_iterator(QVN_TEST_DATA_DIR "/../examples/demo"))
    if (entry.path().extension() != ".qvn" && entry.path().extension() != ".qvj")
      std::filesystem::copy_file(entry.path(), folder / entry.path().filename().string(),
                                 std::filesystem::copy_options::overwrite_existing);
  NullLogSink sink;
  ASSERT_EQ(Compile((folder / "demo.src").string(), {}, sink).outcome, CompileOutcome::kSuccess);

  DialogDriver driver;
  driver.ChooseSlot(1);
  driver.Acknowledge();  // 主人公: keep 勝
  driver.Acknowledge();  // 友人: keep ミサキ
  MainForm form((folder / "program").string() + "/");
  form.SetCommandLineStory((folder / "demo.qvn").string());
  form.show();
  ASSERT_TRUE(WaitFor([&] { return form.Session().IsOpen() && driver.Done(); }));
  WaitFor([] { return false; });  // let the window reach the screen

  QImage shot = form.screen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
  shot.save(QString(QVN_BINARY_DIR) + "/browser-screenshot.png");
  QRect page = QRect(form.Page()->mapToGlobal(QPoint(0, 0)), form.Page()->size());
  int text = 0, outline = 0, distinct = 0;
  std::set<QRgb> colours;
  QRgb first = shot.pixel(page.topLeft());
  for (int y = page.top(); y < page.top() + page.height() / 2; ++y) {
    for (int x = page.left(); x < page.right() - 16; ++x) {
      QRgb pixel = shot.pixel(x, y);
      if (pixel == qRgb(192, 192, 192)) ++text;   // FCL=15: silver
      if (pixel == qRgb(128, 128, 0)) ++outline;  // olive around it
      if (pixel != first) ++distinct;
      colours.insert(pixel);
    }
  }
  EXPECT_GT(text, 200);
  EXPECT_GT(outline, 200);
  EXPECT_GT(distinct, 1000);
  // Smoothed by default on the screen too: the glyphs' edges mix text, outline
  // and background into many shades. Unsmoothed there are five colours.
  EXPECT_GT(colours.size(), 40u);
  form.close();
}

}  // namespace
}  // namespace qvn::testing
