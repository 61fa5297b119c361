// Under a real X server (Xvfb), in the language of the locale it is run
// under: the browser as a reader sees it (the demo page, the settings menu
// with its language submenu, the slot dialog, the new-game prompt, the help
// window, the question before a story's program, the error box of a damaged
// story), each taken from the screen and saved as a PNG to be looked at.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <functional>

#include "browser/allowed_stories_dialog.h"
#include "browser/main_form.h"
#include "browser/program_question.h"
#include "compiler/compile.h"
#include "gui/application_setup.h"
#include "gui/font_dialog.h"
#include "gui/help_window.h"
#include "gui/language_menu.h"
#include "tests/browser/dialog_driver.h"
#include "tests/support/screen_shot.h"
#include "tests/support/temp_folder.h"

namespace qvn::testing {
namespace {

namespace fs = std::filesystem;

// Acts once on the first modal widget of type T that comes up.
template <typename T>
class WhenUp : public QObject {
 public:
  explicit WhenUp(std::function<void(T&)> act) : act_(std::move(act)) {
    connect(&timer_, &QTimer::timeout, this, [this] {
      auto* modal = qobject_cast<T*>(QApplication::activeModalWidget());
      if (!modal || !modal->isVisible() || !act_) return;
      auto act = std::move(act_);
      act_ = nullptr;
      act(*modal);
    });
    timer_.start(20);
  }
  bool Done() const { return !act_; }

 private:
  QTimer timer_;
  std::function<void(T&)> act_;
};

class LanguageScreenshots : public ::testing::Test {
 protected:
  void SetUp() override {
    if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs an X server";
    fs::create_directories(folder_ / "program");
    for (const auto& entry : fs::directory_iterator(QVN_TEST_DATA_DIR "/../examples/demo"))
      fs::copy_file(entry.path(), folder_ / entry.path().filename(),
                    fs::copy_options::overwrite_existing);
    NullLogSink sink;
    ASSERT_EQ(Compile((folder_ / "demo.src").string(), {}, sink).outcome, CompileOutcome::kSuccess);
  }
  std::string Program() const { return (folder_ / "program").string() + "/"; }

  TempFolder folder_;
};

TEST_F(LanguageScreenshots, TheDemoItsMenuItsDialogsAndItsHelp) {
  DialogDriver driver;
  driver.Then([](AboutBox& box) {
    EXPECT_TRUE(Shoot("browser", "slot-dialog"));
    box.EraseButton()->click();  // the first press only asks
    EXPECT_TRUE(Shoot("browser", "slot-dialog-erase"));
    box.OkButton()->click();
  });
  driver.Then([](AboutBox& box) {
    EXPECT_TRUE(Shoot("browser", "prompt"));
    box.OkButton()->click();
  });
  driver.Acknowledge();
  MainForm form(Program());
  form.SetCommandLineStory((folder_ / "demo.qvn").string());
  form.move(40, 40);
  form.show();
  ASSERT_TRUE(WaitFor([&] { return form.Session().IsOpen() && driver.Done(); }));
  form.activateWindow();
  EXPECT_TRUE(Shoot("browser", "window"));

  // The settings menu, and its language submenu by its key.
  form.menuBar()->setActiveAction(form.Option1->menuAction());
  Settle(200);
  QTest::keyClick(form.Option1, Qt::Key_L);
  Settle(200);
  EXPECT_TRUE(form.Language1->Menu()->isVisible());
  EXPECT_TRUE(Shoot("browser", "menu"));
  while (QWidget* popup = QApplication::activePopupWidget()) popup->close();

  WhenUp<AboutBox> about([](AboutBox& box) {
    EXPECT_TRUE(Shoot("browser", "about"));
    box.OkButton()->click();
  });
  form.About1->trigger();
  EXPECT_TRUE(about.Done());
  WhenUp<FontDialog> font([](FontDialog& dialog) {
    EXPECT_TRUE(Shoot("browser", "font-dialog"));
    dialog.reject();
  });
  form.Font1->trigger();
  EXPECT_TRUE(font.Done());
  WhenUp<AllowedStoriesDialog> allowed([](AllowedStoriesDialog& dialog) {
    EXPECT_TRUE(Shoot("browser", "allowed-stories"));
    dialog.reject();
  });
  form.AllowedStories1->trigger();
  EXPECT_TRUE(allowed.Done());

  form.Index1->trigger();
  auto* help = form.findChild<HelpWindow*>();
  ASSERT_NE(help, nullptr);
  help->move(80, 80);
  EXPECT_TRUE(Shoot("browser", "help"));
  help->close();
  form.close();
}

TEST_F(LanguageScreenshots, TheQuestionBeforeAStorysProgram) {
  fs::path story = fs::canonical(folder_.path());
  WriteBytes(story / "mark.sh", "#!/bin/sh\n: > \"$1\"\n");
  ::chmod((story / "mark.sh").c_str(), 0755);
  WriteBytes(story / "tools.src",
             "TITLE=Tool story\r\n#START\r\n>EXE=mark.sh done\r\nPage one.\r\n?END\r\nSTART\r\n");
  NullLogSink sink;
  ASSERT_EQ(Compile((story / "tools.src").string(), {}, sink).outcome, CompileOutcome::kSuccess);
  DialogDriver slot_driver;
  slot_driver.ChooseSlot(1);
  WhenUp<ProgramQuestion> question([](ProgramQuestion& asked) {
    EXPECT_TRUE(Shoot("browser", "program-question"));
    asked.reject();
  });
  MainForm form(Program());
  form.SetCommandLineStory((story / "tools.qvn").string());
  form.move(40, 40);
  form.show();
  ASSERT_TRUE(WaitFor([&] { return form.Session().IsOpen() && question.Done(); }));
  EXPECT_FALSE(fs::exists(story / "done"));
  form.close();
}

TEST_F(LanguageScreenshots, TheErrorBoxOfADamagedStory) {
  // The body cut short: its first record runs past its end.
  WriteBytes(folder_ / "demo.qvn", ReadBytes(folder_ / "demo.qvn").substr(0, 3));
  DialogDriver slot_driver;
  slot_driver.ChooseSlot(1);
  slot_driver.Acknowledge();
  slot_driver.Acknowledge();
  QString said;
  WhenUp<QMessageBox> error([&said](QMessageBox& box) {
    said = box.text();
    EXPECT_TRUE(Shoot("browser", "damaged-story"));
    QTest::keyClick(&box, Qt::Key_Return);
  });
  MainForm form(Program());
  form.SetCommandLineStory((folder_ / "demo.qvn").string());
  form.move(40, 40);
  form.show();
  ASSERT_TRUE(WaitFor([&] { return error.Done(); }));
  const bool english = Environment("QVN_SHOT_LANGUAGE", "ja") == "en";
  EXPECT_TRUE(said.contains(english ? QString("damaged") : QString::fromUtf8("壊れています")))
      << said.toStdString();
  form.close();
}

}  // namespace
}  // namespace qvn::testing

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  qvn::SetUpApplication(application);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
