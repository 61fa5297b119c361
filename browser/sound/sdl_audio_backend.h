#pragma once
// The audio device through SDL2_mixer's music API: one Mix_Music at a time.
// MIDI files play through FluidSynth with the General MIDI soundfont when it
// is installed. The device is opened on the first load; when there is none,
// every load fails and the browser stays silent.
#include <atomic>
#include <filesystem>
#include <memory>

#include "browser/sound/audio_backend.h"

struct _Mix_Music;

namespace qvn::sound {

// Debian's General MIDI soundfonts, the first one present wins: the small
// one loads in tens of milliseconds, the large one takes most of a second for
// every piece of music.
inline const std::filesystem::path kSmallSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
inline const std::filesystem::path kLargeSoundFont = "/usr/share/sounds/sf2/FluidR3_GM.sf2";

// The soundfont to use, or an empty path when neither is installed.
std::filesystem::path GeneralMidiSoundFont();

class SdlAudioBackend final : public AudioBackend {
 public:
  // `sound_font` is used for MIDI when the file exists.
  explicit SdlAudioBackend(std::filesystem::path sound_font = GeneralMidiSoundFont());
  ~SdlAudioBackend() override;
  SdlAudioBackend(const SdlAudioBackend&) = delete;
  SdlAudioBackend& operator=(const SdlAudioBackend&) = delete;

  void SetStoppedHandler(StoppedHandler handler) override { handler_ = std::move(handler); }
  bool Load(const std::filesystem::path& file) override;
  bool Start(std::uint64_t token) override;
  void Halt() override;
  std::optional<std::chrono::milliseconds> PlayingTime() const override { return playing_time_; }
  void Silence() override;

 private:
  struct MusicDeleter {
    void operator()(_Mix_Music* music) const;
  };
  enum class Device { kClosed, kOpen, kFailed };

  static void OnMusicFinished();
  bool OpenDevice();
  void CloseDevice();

  std::filesystem::path sound_font_;
  StoppedHandler handler_;
  Device device_ = Device::kClosed;
  std::unique_ptr<_Mix_Music, MusicDeleter> music_;
  std::optional<std::chrono::milliseconds> playing_time_;
  // Read by the finished hook on SDL's audio thread.
  std::atomic<std::uint64_t> token_ = 0;
};

}  // namespace qvn::sound
