// Real playback through SDL2_mixer on SDL's file-writing and null audio
// drivers: samples come out for a wave and a MIDI file, stop notices reach
// the player, and a missing device only makes the player silent.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <SDL_mixer.h>

#include "browser/sound/sdl_audio_backend.h"
#include "browser/sound/sound_player.h"
#include "tests/sound/test_media.h"
#include "tests/support/temp_folder.h"

namespace qvn::sound {
namespace {

using qvn::testing::ReadBytes;
using qvn::testing::TempFolder;
using qvn::testing::WriteBytes;
using testing::NonSilentBytes;
using testing::OnsetSeconds;

constexpr const char* kDemo = QVN_TEST_DATA_DIR "/../examples/demo";

// Generous: the soundfont loads and the sounds play in real time.
constexpr auto kNoticeLimit = std::chrono::seconds(60);

using Clock = std::chrono::steady_clock;

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
    hooks.schedule = [this](int ms, std::function<void()> task) {
      scheduled_.push_back(ms);
      timers_.push_back({Clock::now() + std::chrono::milliseconds(ms), std::move(task)});
    };
    player_ = std::make_unique<SoundPlayer>(std::make_unique<SdlAudioBackend>(), std::move(hooks));
  }

  SoundPlayer& player() { return *player_; }
  // Hands the player its notices and runs its timers when they are due, as
  // the window's event loop does, until `done` holds or `limit` has passed.
  bool RunUntil(const std::function<bool()>& done, Clock::duration limit = kNoticeLimit) {
    const Clock::time_point deadline = Clock::now() + limit;
    while (!done()) {
      const Clock::time_point now = Clock::now();
      if (now >= deadline) return false;
      Clock::time_point wake = deadline;
      std::vector<std::function<void()>> due;
      for (auto timer = timers_.begin(); timer != timers_.end();) {
        if (timer->due <= now) {
          due.push_back(std::move(timer->task));
          timer = timers_.erase(timer);
        } else {
          wake = std::min(wake, timer->due);
          ++timer;
        }
      }
      for (auto& task : due) task();
      if (!due.empty()) continue;
      std::unique_lock lock(mutex_);
      arrived_.wait_until(lock, wake, [this] { return !notices_.empty(); });
      std::deque<SoundNotice> arrived = std::exchange(notices_, {});
      lock.unlock();
      for (SoundNotice notice : arrived) {
        ++notices_seen_;
        player_->OnNotice(notice);
      }
    }
    return true;
  }
  void RunFor(Clock::duration time) {
    RunUntil([] { return false; }, time);
  }
  int notices_seen() const { return notices_seen_; }
  // The delays asked of `schedule`, in order.
  const std::vector<int>& scheduled() const { return scheduled_; }
  // Closes the device, which also finishes the driver's output file.
  void Close() { player_.reset(); }

 private:
  struct Timer {
    Clock::time_point due;
    std::function<void()> task;
  };
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::deque<SoundNotice> notices_;
  std::vector<Timer> timers_;
  std::vector<int> scheduled_;
  int notices_seen_ = 0;
  std::unique_ptr<SoundPlayer> player_;  // last: its halt posts into the queue above
};

class SdlPlaybackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteBytes(folder_ / "tone.wav", testing::SineWaveFile(300, 440));
    WriteBytes(folder_ / "tune.mid", testing::MidiNotesFile({60, 64, 67, 72}, 200));
    WriteBytes(folder_ / "half.wav", testing::SineWaveFile(500, 440));
    WriteBytes(folder_ / "half.mid", testing::MidiNotesFile({69}, 500));
    // Sounds of the "other files" kind, made by the demo media script.
    for (const char* file : {"breeze.ogg", "knock.mp3"}) {
      WriteBytes(folder_ / file, ReadBytes(std::filesystem::path(kDemo) / file));
    }
  }

  // Plays `file` to its end on the disk driver and returns what it wrote.
  std::string PlayToDisk(const std::string& file) {
    const auto output = folder_ / (file + ".raw");
    ::setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    SdlPlayer sdl("disk");
    EXPECT_TRUE(sdl.player().Play(SoundKind::kEffect, folder_ / file));
    EXPECT_TRUE(sdl.RunUntil([&] { return sdl.notices_seen() == 1; }));
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

TEST_F(SdlPlaybackTest, OggAndMp3FilesComeOutAsSamples) {
  EXPECT_GT(NonSilentBytes(PlayToDisk("breeze.ogg")), 20000u);
  EXPECT_GT(NonSilentBytes(PlayToDisk("knock.mp3")), 10000u);
}

TEST_F(SdlPlaybackTest, MusicEndIsNoticedAndPlaysAgain) {
  for (const char* file : {"tune.mid", "tone.wav", "breeze.ogg", "knock.mp3"}) {
    SdlPlayer sdl("dummy");
    ASSERT_TRUE(sdl.player().Play(SoundKind::kMusic, folder_ / file));
    // The end, the repeat 800 ms later, and the repeat's end.
    ASSERT_TRUE(sdl.RunUntil([&] { return sdl.notices_seen() == 2; })) << file;
    EXPECT_TRUE(sdl.player().PlayingMusic());
    EXPECT_EQ(std::count(sdl.scheduled().begin(), sdl.scheduled().end(), kMusicRepeatDelayMs), 2)
        << file;
  }
}

// A tune of 0.5 s looping: its end, 800 ms of silence, the next start. The
// recording is at least two such rounds long.
TEST_F(SdlPlaybackTest, LoopingMusicStartsAgain800MsAfterItsEnd) {
  for (const char* file : {"half.mid", "half.wav"}) {
    const auto output = folder_ / (std::string(file) + ".raw");
    ::setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    int rate = 0, channels = 0;
    {
      SdlPlayer sdl("disk");
      ASSERT_TRUE(sdl.player().Play(SoundKind::kMusic, folder_ / file));
      Uint16 format = 0;
      ASSERT_EQ(Mix_QuerySpec(&rate, &format, &channels), 1);
      ASSERT_EQ(format, AUDIO_S16LSB);
      sdl.RunFor(std::chrono::milliseconds(2900));
    }
    const std::vector<double> onsets = OnsetSeconds(ReadBytes(output), rate, channels);
    ASSERT_GE(onsets.size(), 2u) << file << ": the tune did not start again";
    EXPECT_NEAR(onsets[1] - onsets[0], 0.5 + 0.8, testing::kLoopToleranceSeconds) << file;
    if (onsets.size() >= 3) {
      EXPECT_NEAR(onsets[2] - onsets[1], 0.5 + 0.8, testing::kLoopToleranceSeconds) << file;
    }
  }
}

TEST_F(SdlPlaybackTest, HaltIsNoticedButNotRepeated) {
  SdlPlayer sdl("dummy");
  ASSERT_TRUE(sdl.player().Play(SoundKind::kMusic, folder_ / "tune.mid"));
  ASSERT_TRUE(sdl.player().Play(SoundKind::kMusic, folder_ / "tone.wav"));
  sdl.player().Stop();
  ASSERT_TRUE(sdl.RunUntil([&] { return sdl.notices_seen() == 2; }));
  sdl.RunFor(std::chrono::seconds(1));  // past the tune's own end
  EXPECT_EQ(std::count(sdl.scheduled().begin(), sdl.scheduled().end(), kMusicRepeatDelayMs), 0);
  EXPECT_FALSE(sdl.player().Playing());
}

TEST_F(SdlPlaybackTest, DemoStorySoundsPlay) {
  const std::filesystem::path demo = kDemo;
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

TEST_F(SdlPlaybackTest, UndecodableFileIsRefused) {
  SdlPlayer sdl("dummy");
  for (const char* file : {"noise.wav", "noise.ogg", "noise.mp3", "noise.mid", "noise.xm"}) {
    WriteBytes(folder_ / file, "not a sound at all");
    EXPECT_FALSE(sdl.player().Play(SoundKind::kMusic, folder_ / file)) << file;
    EXPECT_FALSE(sdl.player().Playing()) << file;
  }
  EXPECT_TRUE(sdl.player().Play(SoundKind::kEffect, folder_ / "tone.wav"));
}

// Files cut short load or not, but never leave the player stuck.
TEST_F(SdlPlaybackTest, DamagedFilesEndOrAreRefused) {
  SdlPlayer sdl("dummy");
  for (const char* file : {"tune.mid", "breeze.ogg", "knock.mp3", "tone.wav"}) {
    const std::string whole = ReadBytes(folder_ / file);
    const auto damaged = folder_ / (std::string("cut-") + file);
    WriteBytes(damaged, whole.substr(0, whole.size() / 2) + std::string(300, '\x55'));
    const int before = sdl.notices_seen();
    if (sdl.player().Play(SoundKind::kEffect, damaged)) {
      EXPECT_TRUE(sdl.RunUntil([&] { return sdl.notices_seen() > before; })) << file;
    } else {
      EXPECT_FALSE(sdl.player().Playing()) << file;
    }
  }
  EXPECT_TRUE(sdl.player().Play(SoundKind::kMusic, folder_ / "tone.wav"));
}

TEST(SdlAudioBackendFiles, FifosDevicesAndFoldersAreNeverOpened) {
  ::setenv("SDL_AUDIODRIVER", "dummy", 1);
  ::alarm(20);  // the mixer waiting on a FIFO fails the test instead of hanging
  qvn::testing::TempFolder folder;
  ASSERT_EQ(::mkfifo((folder / "pipe.wav").c_str(), 0644), 0);
  std::filesystem::create_directories(folder / "dir.mid");
  SdlAudioBackend backend;
  EXPECT_FALSE(backend.Load(folder / "pipe.wav"));
  EXPECT_FALSE(backend.Load(folder / "dir.mid"));
  EXPECT_FALSE(backend.Load("/dev/zero"));
  ::alarm(0);
}

}  // namespace
}  // namespace qvn::sound
