#pragma once
// The browser's one sound at a time: a wave or other sound that plays once,
// or background music that plays again 800 ms after each end of its own. A
// sound that has a playing time of its own (a MIDI tune: its last event) is
// silenced at that time, which is then its end.
// Everything here runs on the UI thread except `SoundPlayerHooks::post`, which
// the backend's stop notice calls from whatever thread it runs on.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>

#include "browser/sound/audio_backend.h"

namespace qvn::sound {

enum class SoundKind { kEffect, kMusic };  // WAV= plays once, BGM= repeats

// A sound stopped. Only the player can tell whether it was the end of the
// current sound or the stop of an older one.
struct SoundNotice {
  std::uint64_t generation = 0;
};

struct SoundPlayerHooks {
  // Hands `notice` to `SoundPlayer::OnNotice` on the UI thread, later (a
  // queued event). Called from any thread; must not call back synchronously.
  std::function<void(SoundNotice notice)> post;
  // Runs `task` on the UI thread after `ms` milliseconds without blocking,
  // to the millisecond: it times the end of a tune.
  std::function<void(int ms, std::function<void()> task)> schedule;
  // Runs after a wave file started and before the pause after it: the
  // browser repaints its page here so that it shows while the sound begins.
  std::function<void()> before_wave_pause;
  // Blocks for `ms` milliseconds; empty means sleeping.
  std::function<void(int ms)> pause;
};

inline constexpr int kWavePauseMs = 100;
inline constexpr int kMusicRepeatDelayMs = 800;

class SoundPlayer {
 public:
  SoundPlayer(std::unique_ptr<AudioBackend> backend, SoundPlayerHooks hooks);
  ~SoundPlayer();
  SoundPlayer(const SoundPlayer&) = delete;
  SoundPlayer& operator=(const SoundPlayer&) = delete;

  // Stops what plays, then plays `file`. A ".wav" file (any letter case) is
  // followed by `before_wave_pause` and a 100 ms pause. False when the
  // device refused it: the player is then stopped.
  bool Play(SoundKind kind, const std::filesystem::path& file);
  // Halts and frees the sound when one plays; otherwise nothing. A pending
  // repeat of the music is cancelled.
  void Stop();
  // A sound was started and not stopped since (it may have ended by itself).
  bool Playing() const { return playing_; }
  bool PlayingMusic() const { return playing_ && kind_ == SoundKind::kMusic; }
  // The queued stop notice. Only the end of the current sound counts; music
  // then plays again after 800 ms unless a stop or a new sound comes first.
  void OnNotice(SoundNotice notice);

 private:
  void Repeat(std::uint64_t generation);
  void ScheduleOwnEnd();
  void ReachOwnEnd(std::uint64_t generation);
  void Fail();

  std::unique_ptr<AudioBackend> backend_;
  SoundPlayerHooks hooks_;
  bool playing_ = false;
  SoundKind kind_ = SoundKind::kEffect;
  // Numbers every start; a notice or a repeat of another number is stale.
  std::uint64_t generation_ = 0;
  // Lets a scheduled repeat that outlives the player do nothing.
  std::shared_ptr<SoundPlayer*> self_;
};

}  // namespace qvn::sound
