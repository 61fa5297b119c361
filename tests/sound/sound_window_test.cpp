// Sound through the browser window, heard on SDL's file-writing audio
// driver: background music repeats on time through the window's own timers;
// Ogg Vorbis and MP3 files play as "other files", as music and as effects,
// and are skipped while that kind is switched off; a file that cannot be
// decoded is silent and the story goes on.
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>
#include <chrono>
#include <cstdlib>

#include "browser/main_form.h"
#include "common/encoding.h"
#include "compiler/compile.h"
#include "tests/browser/dialog_driver.h"
#include "tests/sound/test_media.h"
#include "tests/support/temp_folder.h"

namespace qvn::testing {
namespace {

constexpr const char* kDemo = QVN_TEST_DATA_DIR "/../examples/demo";

// A story whose first block names one sound, then a second page.
std::string StoryWith(const std::string& sound_line) {
  return "TITLE=Sounds\r\n"
         "%1=Name,Taro\r\n"
         "#START\r\n" +
         sound_line +
         "\r\n"
         "With sound.\r\n"
         "?000\r\nNext\r\nTWO\r\n?END\r\n"
         "#TWO\r\nWithout.\r\n/\r\n";
}

using sound::testing::NonSilentBytes;
using sound::testing::OnsetSeconds;

// The window's event loop, timers and queued notices included, for `ms`.
void RunEventLoop(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
}

class SoundWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(folder_ / "program");
    for (const char* file : {"breeze.ogg", "knock.mp3"}) {
      WriteBytes(folder_ / file, ReadBytes(std::filesystem::path(kDemo) / file));
    }
    WriteBytes(folder_ / "noise.ogg", "not a sound at all");
    WriteBytes(folder_ / "half.mid", sound::testing::MidiNotesFile({69}, 500));
    ::setenv("SDL_AUDIODRIVER", "disk", 1);
    NewWindow();
  }

  // A window with the default settings, recording into a file of its own.
  void NewWindow() {
    form_.reset();
    std::filesystem::remove(folder_ / "program" / "qvn.ini");
    output_ = folder_ / ("device" + std::to_string(++windows_) + ".raw");
    ::setenv("SDL_DISKAUDIOFILE", output_.c_str(), 1);
    form_ = std::make_unique<MainForm>((folder_ / "program").string() + "/");
  }

  void Open(const std::string& sound_line) {
    WriteBytes(folder_ / "story.src", StoryWith(sound_line));
    NullLogSink sink;
    ASSERT_EQ(Compile((folder_ / "story.src").string(), {}, sink).outcome,
              CompileOutcome::kSuccess);
    driver_.ChooseSlot(1);
    driver_.Enter("Taro");
    form_->SetCommandLineStory((folder_ / "story.qvn").string());
    form_->show();
    ASSERT_TRUE(WaitFor([&] { return form_->Session().IsOpen() && driver_.Done(); }));
    form_->activateWindow();
  }

  // Lets the sound play a while, then closes the window and with it the
  // device; what the driver wrote.
  std::string SoundAfterAWhile(int ms = 700) {
    RunEventLoop(ms);
    form_.reset();
    std::error_code error;
    return std::filesystem::exists(output_, error) ? ReadBytes(output_) : std::string();
  }

  // The page's only choice, by its key.
  void TakeTheChoice() {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QWidget* target = form_->focusWidget() ? form_->focusWidget() : form_.get();
    QApplication::sendEvent(target, &press);
    ASSERT_TRUE(WaitFor([&] { return !form_->Session().IsOpen(); }));
    ASSERT_FALSE(form_->Session().PageLines().empty());
    EXPECT_EQ(form_->Session().PageLines()[0], "Without.");
  }

  const StoryState& State() { return form_->Session().State(); }

  TempFolder folder_;
  std::filesystem::path output_;
  int windows_ = 0;
  DialogDriver driver_;
  std::unique_ptr<MainForm> form_;
};

// A tune of 0.5 s: its end, 800 ms of silence, the next start.
TEST_F(SoundWindow, MidiMusicRepeats800MsAfterItsLastEvent) {
  Open(">BGM=%P%half.mid");
  ASSERT_TRUE(State().music_mark);
  int rate = 0, channels = 0;
  Uint16 format = 0;
  ASSERT_EQ(Mix_QuerySpec(&rate, &format, &channels), 1);
  ASSERT_EQ(format, AUDIO_S16LSB);
  const std::vector<double> onsets = OnsetSeconds(SoundAfterAWhile(2900), rate, channels);
  ASSERT_GE(onsets.size(), 2u) << "the tune did not start again";
  EXPECT_NEAR(onsets[1] - onsets[0], 0.5 + 0.8, sound::testing::kLoopToleranceSeconds);
}

TEST_F(SoundWindow, OggPlaysAsBackgroundMusic) {
  Open(">BGM=%P%breeze.ogg");
  EXPECT_TRUE(State().music_mark);
  EXPECT_EQ(State().current_sound, "%P%breeze.ogg");
  EXPECT_GT(NonSilentBytes(SoundAfterAWhile()), 20000u);
}

TEST_F(SoundWindow, Mp3PlaysAsAnEffect) {
  Open(">WAV=%P%knock.mp3");
  EXPECT_FALSE(State().music_mark);
  EXPECT_GT(NonSilentBytes(SoundAfterAWhile()), 10000u);
}

TEST_F(SoundWindow, OggAndMp3AreSkippedWhileOtherFilesIsUnchecked) {
  for (const char* line : {">BGM=%P%breeze.ogg", ">WAV=%P%knock.mp3"}) {
    NewWindow();
    form_->Other1->trigger();
    ASSERT_FALSE(form_->Other1->isChecked());
    Open(line);
    EXPECT_FALSE(State().music_mark) << line;
    EXPECT_EQ(State().current_sound, "") << line;
    EXPECT_EQ(NonSilentBytes(SoundAfterAWhile()), 0u) << line;
  }
}

TEST_F(SoundWindow, UndecodableFileIsSilentAndTheStoryGoesOn) {
  Open(">BGM=%P%noise.ogg");
  EXPECT_FALSE(State().music_mark);
  TakeTheChoice();
  EXPECT_EQ(NonSilentBytes(SoundAfterAWhile()), 0u);
}

}  // namespace
}  // namespace qvn::testing
