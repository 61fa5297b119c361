// The signals a logout or `kill` sends close the reader in order, as its exit
// command does, even once a sound has started: the event loop ends with 0 and
// the settings are written.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QTimer>

#include "browser/about_box.h"
#include "browser/main_form.h"
#include "compiler/compile.h"
#include "tests/support/temp_folder.h"

namespace qvn::testing {
namespace {

class CloseSignals : public ::testing::TestWithParam<int> {};

TEST_P(CloseSignals, CloseTheReaderInOrderAfterASound) {
  TempFolder folder;
  std::filesystem::create_directories(folder.path() / "program");
  int status = -1;
  {
    MainForm form((folder.path() / "program").string() + "/");
    form.show();
    ASSERT_TRUE(form.PlaySound(SoundDirective::kMusic, std::filesystem::path(QVN_TEST_DATA_DIR) /
                                                           "../examples/demo/breeze.ogg"));
    int signal_number = GetParam();
    QTimer::singleShot(0, &form, [signal_number] { ::kill(::getpid(), signal_number); });
    // A guard only: a loop that never ends would hang the suite.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    guard.start(10000);
    status = QApplication::exec();
    EXPECT_FALSE(form.isVisible());
  }
  EXPECT_EQ(status, 0);
  EXPECT_TRUE(std::filesystem::exists(folder.path() / "program" / "qvn.ini"));
}

// While the slot dialog waits for its answer (it re-opens until OK), a
// signal still closes the reader.
TEST(CloseSignalsAtTheSlotDialog, CloseTheReaderToo) {
  TempFolder folder;
  std::filesystem::create_directories(folder.path() / "program");
  WriteBytes(folder.path() / "story.src", "#START\r\nx\r\n?END\r\nSTART\r\n");
  NullLogSink sink;
  ASSERT_EQ(Compile((folder.path() / "story.src").string(), {}, sink).outcome,
            CompileOutcome::kSuccess);
  int status = -1;
  {
    MainForm form((folder.path() / "program").string() + "/");
    form.SetCommandLineStory((folder.path() / "story.qvn").string());
    form.show();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&poll] {
      if (!qobject_cast<AboutBox*>(QApplication::activeModalWidget())) return;
      poll.stop();
      ::kill(::getpid(), SIGTERM);
    });
    poll.start(10);
    QTimer guard;  // only so that a loop that never ends cannot hang the suite
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    guard.start(10000);
    status = QApplication::exec();
    EXPECT_FALSE(form.isVisible());
  }
  EXPECT_EQ(status, 0);
  EXPECT_TRUE(std::filesystem::exists(folder.path() / "program" / "qvn.ini"));
}

INSTANTIATE_TEST_SUITE_P(TermIntHup, CloseSignals, ::testing::Values(SIGTERM, SIGINT, SIGHUP));

}  // namespace
}  // namespace qvn::testing
