#include "browser/sound/sound_player.h"

#include <chrono>
#include <limits>
#include <thread>
#include <utility>

namespace qvn::sound {
namespace {

bool IsWaveFile(const std::filesystem::path& file) {
  std::string extension = file.extension().string();
  for (char& c : extension) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return extension == ".WAV";
}

}  // namespace

SoundPlayer::SoundPlayer(std::unique_ptr<AudioBackend> backend, SoundPlayerHooks hooks)
    : backend_(std::move(backend)),
      hooks_(std::move(hooks)),
      self_(std::make_shared<SoundPlayer*>(this)) {
  if (!hooks_.pause) {
    hooks_.pause = [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
  }
  // The handler runs on the backend's thread: it holds its own copy of the
  // post function and touches nothing else of the player.
  backend_->SetStoppedHandler([post = hooks_.post](std::uint64_t token) {
    if (post) post(SoundNotice{token});
  });
}

SoundPlayer::~SoundPlayer() {
  Stop();
}

bool SoundPlayer::Play(SoundKind kind, const std::filesystem::path& file) {
  Stop();
  ++generation_;
  if (!backend_->Load(file) || !backend_->Start(generation_)) {
    Fail();
    return false;
  }
  playing_ = true;
  kind_ = kind;
  ScheduleOwnEnd();
  if (IsWaveFile(file)) {
    if (hooks_.before_wave_pause) hooks_.before_wave_pause();
    hooks_.pause(kWavePauseMs);
  }
  return true;
}

void SoundPlayer::Stop() {
  // A new number first, so that the notice of this halt is already stale.
  ++generation_;
  if (!playing_) return;
  playing_ = false;
  backend_->Halt();
}

void SoundPlayer::OnNotice(SoundNotice notice) {
  if (notice.generation != generation_ || !PlayingMusic() || !hooks_.schedule) return;
  std::weak_ptr<SoundPlayer*> player = self_;
  std::uint64_t generation = generation_;
  hooks_.schedule(kMusicRepeatDelayMs, [player, generation] {
    if (auto alive = player.lock()) (*alive)->Repeat(generation);
  });
}

void SoundPlayer::Repeat(std::uint64_t generation) {
  if (generation != generation_ || !PlayingMusic()) return;
  ++generation_;
  if (!backend_->Start(generation_)) {
    Fail();
    return;
  }
  ScheduleOwnEnd();
}

void SoundPlayer::ScheduleOwnEnd() {
  const auto time = backend_->PlayingTime();
  if (!time || !hooks_.schedule || time->count() > std::numeric_limits<int>::max()) return;
  std::weak_ptr<SoundPlayer*> player = self_;
  std::uint64_t generation = generation_;
  hooks_.schedule(static_cast<int>(time->count()), [player, generation] {
    if (auto alive = player.lock()) (*alive)->ReachOwnEnd(generation);
  });
}

void SoundPlayer::ReachOwnEnd(std::uint64_t generation) {
  // The device's stop notice follows and counts as the sound's own end.
  if (generation == generation_ && playing_) backend_->Silence();
}

void SoundPlayer::Fail() {
  // The device refused: nothing plays and nothing is remembered.
  ++generation_;
  playing_ = false;
  kind_ = SoundKind::kEffect;
  backend_->Halt();
}

}  // namespace qvn::sound
