// Under a real X server (Xvfb): the demo page with large text and in a
// high-contrast scheme, taken from the screen. The page keeps the story's
// colours, the window's own parts follow the scheme, the captions show whole.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenuBar>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

#include "browser/main_form.h"
#include "browser/page_widget.h"
#include "compiler/compile.h"
#include "tests/browser/dialog_driver.h"
#include "tests/support/temp_folder.h"

namespace qvn::testing {
namespace {

QPalette HighContrast() {
  QPalette palette;
  for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button, QPalette::AlternateBase})
    palette.setColor(role, Qt::black);
  for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    palette.setColor(role, Qt::white);
  palette.setColor(QPalette::Highlight, QColor(255, 255, 0));
  palette.setColor(QPalette::HighlightedText, Qt::black);
  return palette;
}

struct Shot {
  const char* file;
  int points;
  bool high_contrast;
};

class LargeTextScreenshot : public ::testing::TestWithParam<Shot> {};

TEST_P(LargeTextScreenshot, DemoPage) {
  if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs an X server";
  const Shot shot_of = GetParam();
  const QPalette before = QApplication::palette();
  if (shot_of.high_contrast) QApplication::setPalette(HighContrast());
  TempFolder folder;
  std::filesystem::create_directories(folder / "program");
  for (const auto& entry :
       std::filesystem::directory_iterator(QVN_TEST_DATA_DIR "/../examples/demo"))
    if (entry.path().extension() != ".qvn" && entry.path().extension() != ".qvj")
      std::filesystem::copy_file(entry.path(), folder / entry.path().filename().string(),
                                 std::filesystem::copy_options::overwrite_existing);
  WriteBytes(folder / "program" / "qvn.ini",
             "[WINDOW]\r\nWIDTH=800\r\nHEIGHT=600\r\n[FONT]\r\nSIZE=" +
                 std::to_string(shot_of.points) + "\r\n");
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
  shot.save(QString(QVN_BINARY_DIR) + "/" + shot_of.file);
  // The page in the story's colours whatever the scheme: FCL=15 silver text
  // in an olive outline over COL=0 black.
  QRect page = QRect(form.Page()->mapToGlobal(QPoint(0, 0)), form.Page()->size());
  int text = 0, outline = 0;
  for (int y = page.top(); y < page.top() + page.height() / 2; ++y) {
    for (int x = page.left(); x < page.right() - 16; ++x) {
      QRgb pixel = shot.pixel(x, y);
      if (pixel == qRgb(192, 192, 192)) ++text;
      if (pixel == qRgb(128, 128, 0)) ++outline;
    }
  }
  EXPECT_GT(text, 200);
  EXPECT_GT(outline, 200);
  // The menu bar in the scheme's window colour.
  QPoint bar = form.menuBar()->mapToGlobal(QPoint(form.menuBar()->width() - 4, 2));
  EXPECT_EQ(QColor(shot.pixel(bar)), QApplication::palette().color(QPalette::Window));
  // The buttons' captions whole: each button as wide as its caption asks.
  for (int tag = 1; tag <= 3; ++tag)
    EXPECT_EQ(form.ChoiceButton(tag)->size(), form.ChoiceButton(tag)->sizeHint());
  form.close();
  QApplication::setPalette(before);
}

INSTANTIATE_TEST_SUITE_P(Shots, LargeTextScreenshot,
                         ::testing::Values(Shot{"browser-32pt.png", 32, false},
                                           Shot{"browser-48pt.png", 48, false},
                                           Shot{"browser-high-contrast.png", 16, true},
                                           Shot{"browser-high-contrast-32pt.png", 32, true}));

}  // namespace
}  // namespace qvn::testing
