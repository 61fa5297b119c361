// The player's decisions over a recording device: what starts and stops, and
// which stop notices make background music play again.
#include "browser/sound/sound_player.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tests/sound/recording_backend.h"

namespace qvn::sound {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class SoundPlayerTest : public ::testing::Test {
 protected:
  SoundPlayerTest() {
    auto backend = std::make_unique<testing::RecordingBackend>(log_);
    backend_ = backend.get();
    SoundPlayerHooks hooks;
    hooks.post = [this](SoundNotice notice) { notices_.push_back(notice); };
    hooks.schedule = [this](int ms, std::function<void()> task) {
      log_.push_back("schedule " + std::to_string(ms));
      tasks_.push_back(std::move(task));
    };
    hooks.before_wave_pause = [this] { log_.push_back("repaint"); };
    hooks.pause = [this](int ms) { log_.push_back("pause " + std::to_string(ms)); };
    player_ = std::make_unique<SoundPlayer>(std::move(backend), std::move(hooks));
  }

  // The UI thread takes the queued notices, then the timers that are due.
  void DeliverNotices() {
    while (!notices_.empty()) {
      SoundNotice notice = notices_.front();
      notices_.pop_front();
      player_->OnNotice(notice);
    }
  }
  void RunTimers() {
    std::vector<std::function<void()>> due = std::exchange(tasks_, {});
    for (auto& task : due) task();
  }
  std::vector<std::string> TakeLog() { return std::exchange(log_, {}); }

  std::vector<std::string> log_;
  std::deque<SoundNotice> notices_;
  std::vector<std::function<void()>> tasks_;
  testing::RecordingBackend* backend_ = nullptr;  // owned by the player
  std::unique_ptr<SoundPlayer> player_;
};

// --- Starting and stopping ---

TEST_F(SoundPlayerTest, WavePausesAfterItStartsWhateverItsKindOrLetterCase) {
  EXPECT_TRUE(player_->Play(SoundKind::kEffect, "a.wav"));
  EXPECT_THAT(TakeLog(), ElementsAre("load a.wav", "start", "repaint", "pause 100"));
  player_->Play(SoundKind::kMusic, "LOOP.Wav");
  EXPECT_THAT(TakeLog(), ElementsAre("halt", "load LOOP.Wav", "start", "repaint", "pause 100"));
  player_->Play(SoundKind::kEffect, "jingle.mid");
  player_->Play(SoundKind::kEffect, "voice.ogg");
  EXPECT_THAT(TakeLog(), ElementsAre("halt", "load jingle.mid", "start",  //
                                     "halt", "load voice.ogg", "start"));
}

TEST_F(SoundPlayerTest, EffectPlaysOnceAndCountsAsPlayingUntilStopped) {
  player_->Play(SoundKind::kEffect, "a.mid");
  backend_->Finish();
  DeliverNotices();
  EXPECT_TRUE(player_->Playing());
  EXPECT_FALSE(player_->PlayingMusic());
  player_->Stop();
  player_->Stop();  // the second finds nothing to stop
  EXPECT_THAT(TakeLog(), ElementsAre("load a.mid", "start", "halt"));
  EXPECT_FALSE(player_->Playing());
}

TEST_F(SoundPlayerTest, ClosingThePlayerHaltsTheSound) {
  player_->Play(SoundKind::kMusic, "m.mid");
  TakeLog();
  player_.reset();
  EXPECT_THAT(TakeLog(), ElementsAre("halt"));
}

// --- Background music repeats only after its own end ---

TEST_F(SoundPlayerTest, MusicPlaysAgainAfter800MsOnEachEnd) {
  player_->Play(SoundKind::kMusic, "m.mid");
  TakeLog();
  for (int round = 0; round < 3; ++round) {
    backend_->Finish();
    DeliverNotices();
    EXPECT_THAT(TakeLog(), ElementsAre("schedule 800"));
    RunTimers();
    EXPECT_THAT(TakeLog(), ElementsAre("start"));  // the same file, from its start
  }
  backend_->Finish();
  backend_->Finish();  // told twice: still one repeat
  DeliverNotices();
  RunTimers();
  std::vector<std::string> log = TakeLog();
  EXPECT_EQ(std::count(log.begin(), log.end(), "start"), 1);
}

TEST_F(SoundPlayerTest, EndQueuedBeforeAStopOrANewSoundIsStale) {
  player_->Play(SoundKind::kMusic, "m.mid");
  backend_->Finish();  // posted, not yet taken by the UI thread
  player_->Stop();
  DeliverNotices();
  player_->Play(SoundKind::kMusic, "m.mid");
  backend_->Finish();
  player_->Play(SoundKind::kMusic, "n.mid");
  DeliverNotices();
  EXPECT_THAT(tasks_, IsEmpty());
}

TEST_F(SoundPlayerTest, StopOrNewSoundCancelsAPendingRepeat) {
  player_->Play(SoundKind::kMusic, "m.mid");
  backend_->Finish();
  DeliverNotices();
  player_->Stop();
  player_->Play(SoundKind::kMusic, "n.mid");
  backend_->Finish();
  DeliverNotices();
  player_->Play(SoundKind::kEffect, "a.mid");
  TakeLog();
  RunTimers();
  EXPECT_THAT(TakeLog(), IsEmpty());
}

TEST_F(SoundPlayerTest, PendingRepeatAfterThePlayerIsGoneDoesNothing) {
  player_->Play(SoundKind::kMusic, "m.mid");
  backend_->Finish();
  DeliverNotices();
  player_.reset();
  TakeLog();
  RunTimers();
  EXPECT_THAT(TakeLog(), IsEmpty());
}

// --- A tune's own playing time ---

TEST_F(SoundPlayerTest, TuneIsSilencedAtItsLastEventThenRepeatsAfter800Ms) {
  backend_->playing_time = std::chrono::milliseconds(500);
  player_->Play(SoundKind::kMusic, "m.mid");
  EXPECT_THAT(TakeLog(), ElementsAre("load m.mid", "start", "schedule 500"));
  for (int round = 0; round < 2; ++round) {
    RunTimers();  // the tune's last event
    DeliverNotices();
    EXPECT_THAT(TakeLog(), ElementsAre("silence", "schedule 800"));
    RunTimers();
    EXPECT_THAT(TakeLog(), ElementsAre("start", "schedule 500"));
  }
}

TEST_F(SoundPlayerTest, EffectTuneIsSilencedAndNotRepeated) {
  backend_->playing_time = std::chrono::milliseconds(0);
  player_->Play(SoundKind::kEffect, "a.mid");
  RunTimers();
  DeliverNotices();
  RunTimers();
  EXPECT_THAT(TakeLog(), ElementsAre("load a.mid", "start", "schedule 0", "silence"));
  EXPECT_TRUE(player_->Playing());  // until stopped, as any sound that ended
}

TEST_F(SoundPlayerTest, TunesEndAfterAStopOrANewSoundIsStale) {
  backend_->playing_time = std::chrono::milliseconds(500);
  player_->Play(SoundKind::kMusic, "m.mid");
  player_->Stop();
  DeliverNotices();
  TakeLog();
  RunTimers();
  EXPECT_THAT(TakeLog(), IsEmpty());
  // A new sound before the end of the first: only the second one's end counts.
  player_->Play(SoundKind::kMusic, "m.mid");
  player_->Play(SoundKind::kMusic, "n.mid");
  DeliverNotices();
  TakeLog();
  RunTimers();
  DeliverNotices();
  EXPECT_THAT(TakeLog(), ElementsAre("silence", "schedule 800"));
}

TEST_F(SoundPlayerTest, DeviceEndingBeforeTheTunesOwnEndStillRepeatsOnce) {
  backend_->playing_time = std::chrono::milliseconds(500);
  player_->Play(SoundKind::kMusic, "m.mid");
  backend_->Finish();
  DeliverNotices();
  RunTimers();  // the tune's own end finds nothing sounding, then the repeat
  DeliverNotices();
  std::vector<std::string> log = TakeLog();
  EXPECT_EQ(std::count(log.begin(), log.end(), "start"), 2) << ::testing::PrintToString(log);
  EXPECT_EQ(std::count(log.begin(), log.end(), "schedule 800"), 1);
  EXPECT_THAT(tasks_, ::testing::SizeIs(1));  // the repeated tune's own end
}

// --- Blocks of a story, as the runtime drives the player ---

TEST_F(SoundPlayerTest, SequenceOverBlocks) {
  // WAV=a.wav: plays once; the next choice stops it while it still sounds.
  player_->Play(SoundKind::kEffect, "a.wav");
  player_->Stop();
  DeliverNotices();
  // BGM=m.mid, and the same again in the next block: no new call, it loops.
  player_->Play(SoundKind::kMusic, "m.mid");
  backend_->Finish();
  DeliverNotices();
  RunTimers();
  EXPECT_TRUE(player_->PlayingMusic());
  // BGM=n.mid: m stops, n starts, and m's halt does not repeat n.
  player_->Play(SoundKind::kMusic, "n.mid");
  DeliverNotices();
  // A block without sound: the end-of-block rule stops the music.
  player_->Stop();
  DeliverNotices();
  RunTimers();
  EXPECT_THAT(TakeLog(), ElementsAre("load a.wav", "start", "repaint", "pause 100", "halt",  //
                                     "load m.mid", "start", "schedule 800", "start",         //
                                     "halt", "load n.mid", "start",                          //
                                     "halt"));
  EXPECT_FALSE(player_->Playing());
}

// --- The device refuses ---

TEST_F(SoundPlayerTest, RefusedLoadOrStartLeavesThePlayerStoppedAndSilent) {
  player_->Play(SoundKind::kMusic, "m.mid");
  backend_->refuse_load = true;
  EXPECT_FALSE(player_->Play(SoundKind::kMusic, "broken.wav"));
  EXPECT_FALSE(player_->Playing());
  // No repaint or pause for a wave that does not play; nothing left to halt.
  player_->Stop();
  EXPECT_THAT(TakeLog(), ElementsAre("load m.mid", "start", "halt", "load broken.wav"));
  backend_->refuse_load = false;
  backend_->refuse_start = true;
  EXPECT_FALSE(player_->Play(SoundKind::kEffect, "a.wav"));
  EXPECT_THAT(TakeLog(), ElementsAre("load a.wav", "start", "halt"));
  EXPECT_FALSE(player_->Playing());
  DeliverNotices();
  EXPECT_THAT(tasks_, IsEmpty());
  backend_->refuse_start = false;  // a device that comes back plays again
  EXPECT_TRUE(player_->Play(SoundKind::kMusic, "m.mid"));
  EXPECT_TRUE(player_->PlayingMusic());
}

TEST_F(SoundPlayerTest, RefusedRepeatStopsTheMusic) {
  player_->Play(SoundKind::kMusic, "m.mid");
  backend_->Finish();
  DeliverNotices();
  backend_->refuse_start = true;
  RunTimers();
  EXPECT_FALSE(player_->Playing());
  DeliverNotices();
  EXPECT_THAT(tasks_, IsEmpty());
}

}  // namespace
}  // namespace qvn::sound
