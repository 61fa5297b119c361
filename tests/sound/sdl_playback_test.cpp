// Real playback through SDL2_mixer on SDL's file-writing and null audio
// drivers: samples come out for a wave and a MIDI file, stop notices reach
// the player, and a missing device only makes the player silent.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "browser/sound/sdl_audio_backend.h"
#include "browser/sound/sound_player.h"
#include "tests/sound/test_media.h"
#include "tests/support/temp_folder.h"

namespace qvn::sound {
namespace {

using qvn::testing::ReadBytes;
using qvn::testing::TempFolder;
using qvn::testing::WriteBytes;

// Generous: the soundfont loads and the sounds play in real time.
constexpr auto kNoticeLimit = std::chrono::seconds(60);

// The test thread plays the UI thread; notices come from SDL's audio thread.
class SdlPlayer {
 public:
  explicit SdlPlayer(const char* driver) {
    ::setenv("SDL_AUDIODRIVER", driver, 1);
    SoundPlayerHooks hooks;
    hooks.post = [this](SoundNotice notice) {
      std::lock_guard lock(mutex_);
      notices_.push_back(notice);
      arrived_.notify_all();
    };
    hooks.schedule = [this](int, std::function<void()> task) { tasks_.push_back(std::move(task)); };
    player_ = std::make_unique<SoundPlayer>(std::make_unique<SdlAudioBackend>(), std::move(hooks));
  }

  SoundPlayer& player() { return *player_; }
  // Waits for the next stop notice and gives it to the player.
  bool DeliverNextNotice() {
    std::unique_lock lock(mutex_);
    if (!arrived_.wait_for(lock, kNoticeLimit, [this] { return !notices_.empty(); })) return false;
    SoundNotice notice = notices_.front();
    notices_.pop_front();
    lock.unlock();
    player_->OnNotice(notice);
    return true;
  }
  std::vector<std::function<void()>>& tasks() { return tasks_; }
  // Closes the device, which also finishes the driver's output file.
  void Close() { player_.reset(); }

 private:
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::deque<SoundNotice> notices_;
  std::vector<std::function<void()>> tasks_;
  std::unique_ptr<SoundPlayer> player_;  // last: its halt posts into the queue above
};

std::size_t NonSilentBytes(const std::string& samples) {
  return static_cast<std::size_t>(
      std::count_if(samples.begin(), samples.end(), [](char c) { return c != 0; }));
}

class SdlPlaybackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteBytes(folder_ / "tone.wav", testing::SineWaveFile(300, 440));
    WriteBytes(folder_ / "tune.mid", testing::MidiNotesFile({60, 64, 67, 72}, 200));
  }

  // Plays `file` to its end on the disk driver and returns what it wrote.
  std::string PlayToDisk(const std::string& file) {
    const auto output = folder_ / (file + ".raw");
    ::setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    SdlPlayer sdl("disk");
    EXPECT_TRUE(sdl.player().Play(SoundKind::kEffect, folder_ / file));
    EXPECT_TRUE(sdl.DeliverNextNotice());
    sdl.Close();
    return ReadBytes(output);
  }

  TempFolder folder_;
};

TEST_F(SdlPlaybackTest, WaveFileComesOutAsSamples) {
  EXPECT_GT(NonSilentBytes(PlayToDisk("tone.wav")), 20000u);
}

TEST_F(SdlPlaybackTest, MidiFileComesOutAsSamplesThroughTheSoundFont) {
  ASSERT_FALSE(GeneralMidiSoundFont().empty());
  EXPECT_GT(NonSilentBytes(PlayToDisk("tune.mid")), 20000u);
}

TEST_F(SdlPlaybackTest, MusicEndIsNoticedAndPlaysAgain) {
  SdlPlayer sdl("dummy");
  ASSERT_TRUE(sdl.player().Play(SoundKind::kMusic, folder_ / "tune.mid"));
  ASSERT_TRUE(sdl.DeliverNextNotice());
  ASSERT_EQ(sdl.tasks().size(), 1u);
  sdl.tasks()[0]();
  EXPECT_TRUE(sdl.player().PlayingMusic());
  ASSERT_TRUE(sdl.DeliverNextNotice());  // the repeat ends too
  EXPECT_EQ(sdl.tasks().size(), 2u);
}

TEST_F(SdlPlaybackTest, HaltIsNoticedButNotRepeated) {
  SdlPlayer sdl("dummy");
  ASSERT_TRUE(sdl.player().Play(SoundKind::kMusic, folder_ / "tune.mid"));
  ASSERT_TRUE(sdl.player().Play(SoundKind::kMusic, folder_ / "tone.wav"));
  sdl.player().Stop();
  ASSERT_TRUE(sdl.DeliverNextNotice());
  ASSERT_TRUE(sdl.DeliverNextNotice());
  EXPECT_TRUE(sdl.tasks().empty());
  EXPECT_FALSE(sdl.player().Playing());
}

TEST_F(SdlPlaybackTest, DemoStorySoundsPlay) {
  const std::filesystem::path demo = QVN_TEST_DATA_DIR "/../examples/demo";
  SdlPlayer sdl("dummy");
  EXPECT_TRUE(sdl.player().Play(SoundKind::kMusic, demo / "bgm.mid"));
  EXPECT_TRUE(sdl.player().Play(SoundKind::kEffect, demo / "chime.wav"));
}

TEST_F(SdlPlaybackTest, MissingDeviceLeavesThePlayerSilent) {
  SdlPlayer sdl("qvn-no-such-driver");
  EXPECT_FALSE(sdl.player().Play(SoundKind::kMusic, folder_ / "tune.mid"));
  EXPECT_FALSE(sdl.player().Play(SoundKind::kEffect, folder_ / "tone.wav"));
  EXPECT_FALSE(sdl.player().Playing());
  sdl.player().Stop();
}

TEST_F(SdlPlaybackTest, UnreadableFileIsRefused) {
  WriteBytes(folder_ / "noise.wav", "not a sound at all");
  SdlPlayer sdl("dummy");
  EXPECT_FALSE(sdl.player().Play(SoundKind::kEffect, folder_ / "noise.wav"));
  EXPECT_FALSE(sdl.player().Playing());
  EXPECT_TRUE(sdl.player().Play(SoundKind::kEffect, folder_ / "tone.wav"));
}

}  // namespace
}  // namespace qvn::sound
