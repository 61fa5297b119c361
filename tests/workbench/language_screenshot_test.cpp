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
#include "tests/support/screen_shot.h"
#include "workbench/jpeg_dialog.h"
#include "workbench/main_form.h"
#include "workbench/password_dialog.h"

namespace qvn {
namespace {

namespace fs = std::filesystem;

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
  EXPECT_TRUE(Shoot("workbench", "window"));

  form.menuBar()->setActiveAction(form.File1->menuAction());
  EXPECT_TRUE(Shoot("workbench", "file-menu"));
  CloseMenus();
  form.menuBar()->setActiveAction(form.Option1->menuAction());
  Settle(200);
  QTest::keyClick(form.Option1, Qt::Key_L);
  Settle(200);
  EXPECT_TRUE(form.Language1->Menu()->isVisible());
  EXPECT_TRUE(Shoot("workbench", "options-menu"));
  CloseMenus();

  // A refused name: the red line in the log.
  form.OpenSource(QString::fromStdString((root / "story.QVN").string()));
  EXPECT_TRUE(Shoot("workbench", "refused-name"));

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
  EXPECT_TRUE(Shoot("workbench", "compile-error"));

  // The password dialog keeps its one English line in either language.
  bool password_seen = false;
  QTimer::singleShot(300, [&password_seen] {
    if (auto* dialog = qobject_cast<PasswordDialog*>(QApplication::activeModalWidget())) {
      password_seen = Shoot("workbench", "password-dialog");
      dialog->Button1->click();
    }
  });
  form.Password1->trigger();
  EXPECT_TRUE(password_seen);

  bool converter_seen = false;
  QTimer::singleShot(300, [&converter_seen] {
    if (auto* dialog = qobject_cast<JpegDialog*>(QApplication::activeModalWidget())) {
      converter_seen = Shoot("workbench", "jpeg-converter");
      dialog->reject();
    }
  });
  form.JPEG1->trigger();
  EXPECT_TRUE(converter_seen);

  form.Index1->trigger();
  auto* help = form.findChild<HelpWindow*>();
  ASSERT_NE(help, nullptr);
  help->move(80, 80);
  EXPECT_TRUE(Shoot("workbench", "help"));
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
