// Under a real X server (Xvfb), in the language of the locale it is run
// under: the workbench as an author sees it (the usage text, the file menu,
// the options menu with its language submenu, a refused name in the log, the
// JPEG converter and the help window), each taken from the screen and saved
// as a PNG to be looked at.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "gui/application_setup.h"
#include "gui/help_window.h"
#include "gui/language_menu.h"
#include "qt_test_support.h"
#include "workbench/jpeg_dialog.h"
#include "workbench/main_form.h"
#include "workbench/password_dialog.h"

namespace qvn {
namespace {

namespace fs = std::filesystem;

std::string Environment(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return value && *value ? value : fallback;
}

void Settle(int ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 10);
}

// The visible windows (menus and dialogs included), from the screen, saved
// as workbench-<language>-<what>.png; true when the picture is not blank.
bool Shoot(const std::string& what) {
  Settle(400);
  QRect area;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->isVisible()) area |= window->frameGeometry();
  QImage shot = QGuiApplication::primaryScreen()
                    ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                    .toImage();
  std::string file = Environment("QVN_SHOT_DIR", QVN_BINARY_DIR) + "/workbench-" +
                     Environment("QVN_SHOT_LANGUAGE", "ja") + "-" + what + ".png";
  EXPECT_TRUE(shot.save(QString::fromStdString(file))) << file;
  int differing = 0;
  for (int y = 0; y < shot.height(); y += 4)
    for (int x = 0; x < shot.width(); x += 4)
      if (shot.pixel(x, y) != shot.pixel(0, 0)) ++differing;
  return differing > 50;
}

void CloseMenus() {
  while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
}

TEST(WorkbenchScreenshots, TheWindowItsMenusItsConverterAndItsHelp) {
  if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs an X server";
  fs::path root = fs::path(testing::TempDir()) / "workbench_language_screenshot_test";
  fs::remove_all(root);
  fs::create_directories(root / "program");
  SettingsFolders folders;
  folders.program_folder = (root / "program").string() + "/";
  folders.config_folder = (root / "config").string() + "/";
  MainForm form(folders, QString());
  form.move(40, 40);
  form.show();
  form.activateWindow();
  EXPECT_TRUE(Shoot("window"));

  form.menuBar()->setActiveAction(form.File1->menuAction());
  EXPECT_TRUE(Shoot("file-menu"));
  CloseMenus();
  form.menuBar()->setActiveAction(form.Option1->menuAction());
  Settle(200);
  QTest::keyClick(form.Option1, Qt::Key_L);
  Settle(200);
  EXPECT_TRUE(form.Language1->Menu()->isVisible());
  EXPECT_TRUE(Shoot("options-menu"));
  CloseMenus();

  // A refused name: the red line in the log.
  form.OpenSource(QString::fromStdString((root / "story.QVN").string()));
  EXPECT_TRUE(Shoot("refused-name"));

  // A failing compile: the compiler's own lines, in red.
  const fs::path source = root / "broken.src";
  {
    std::FILE* file = std::fopen(source.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("TITLE=Broken\r\n#START\r\nText\r\n?999\r\n", file);
    std::fclose(file);
  }
  form.Self1->trigger();  // the built-in editor: nothing is started outside
  form.OpenSource(QString::fromStdString(source.string()));
  form.Compile1->trigger();
  EXPECT_TRUE(Shoot("compile-error"));

  // The password dialog keeps its one English line in either language.
  bool password_seen = false;
  QTimer::singleShot(300, [&password_seen] {
    if (auto* dialog = qobject_cast<PasswordDialog*>(QApplication::activeModalWidget())) {
      password_seen = Shoot("password-dialog");
      dialog->Button1->click();
    }
  });
  form.Password1->trigger();
  EXPECT_TRUE(password_seen);

  bool converter_seen = false;
  QTimer::singleShot(300, [&converter_seen] {
    if (auto* dialog = qobject_cast<JpegDialog*>(QApplication::activeModalWidget())) {
      converter_seen = Shoot("jpeg-converter");
      dialog->reject();
    }
  });
  form.JPEG1->trigger();
  EXPECT_TRUE(converter_seen);

  form.Index1->trigger();
  auto* help = form.findChild<HelpWindow*>();
  ASSERT_NE(help, nullptr);
  help->move(80, 80);
  EXPECT_TRUE(Shoot("help"));
  help->close();
  form.close();
}

}  // namespace
}  // namespace qvn

int main(int argc, char** argv) {
  qvn::SetUpApplication(qvn::TestApp());
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
