#include "browser/sound/sdl_audio_backend.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <fstream>
#include <string>
#include <system_error>
#include <utility>

#include "format/midi_length.h"
#include "platform/file_io.h"

namespace qvn::sound {

std::filesystem::path GeneralMidiSoundFont() {
  std::error_code error;
  for (const std::filesystem::path& font : {kSmallSoundFont, kLargeSoundFont})
    if (std::filesystem::is_regular_file(font, error)) return font;
  return {};
}

namespace {

// SDL_mixer's finished hook is a plain function without a user pointer, and
// the mixer has one music channel per process: this is the backend that
// installed the hook, or null. Only one backend holds the device at a time.
std::atomic<SdlAudioBackend*> hooked_backend = nullptr;

constexpr int kFrequency = 44100;
constexpr int kChannels = 2;
constexpr int kChunkFrames = 2048;
// MIDI files are small; a larger one plays to the synthesizer's own end.
constexpr std::uintmax_t kLargestTimedMidiFile = 16 * 1024 * 1024;

struct MidiCheck {
  bool refused = false;  // not a MIDI file after all
  std::optional<std::chrono::milliseconds> time;
};

// SDL_mixer takes a file named ".mid" for MIDI whatever it holds and
// "plays" it without a sound; such a file is refused here instead.
MidiCheck CheckMidiFile(const std::filesystem::path& file) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (error || !std::filesystem::is_regular_file(file, error) || size > kLargestTimedMidiFile) {
    return {};
  }
  std::string bytes(static_cast<std::size_t>(size), '\0');
  std::ifstream in(file, std::ios::binary);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  auto time = MidiPlayingTime(bytes);
  if (!time) return {.refused = true, .time = std::nullopt};
  return {.refused = false, .time = std::chrono::round<std::chrono::milliseconds>(*time)};
}

}  // namespace

void SdlAudioBackend::MusicDeleter::operator()(_Mix_Music* music) const {
  Mix_FreeMusic(music);
}

SdlAudioBackend::SdlAudioBackend(std::filesystem::path sound_font)
    : sound_font_(std::move(sound_font)) {}

SdlAudioBackend::~SdlAudioBackend() {
  Halt();
  CloseDevice();
}

bool SdlAudioBackend::OpenDevice() {
  if (device_ != Device::kClosed) return device_ == Device::kOpen;
  // A missing device is not tried again for every sound: the attempt can
  // stall the window, and the answer does not change while the program runs.
  device_ = Device::kFailed;
  SdlAudioBackend* none = nullptr;
  if (!hooked_backend.compare_exchange_strong(none, this)) return false;
  // The program's own handlers close its window on SIGTERM and SIGINT; SDL's
  // would only queue a quit event that nobody reads.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    hooked_backend = nullptr;
    return false;
  }
  // Loads the decoders that are installed; without one only its kind fails.
  Mix_Init(MIX_INIT_MID | MIX_INIT_OGG | MIX_INIT_MP3 | MIX_INIT_FLAC | MIX_INIT_MOD |
           MIX_INIT_OPUS);
  std::error_code error;
  if (std::filesystem::is_regular_file(sound_font_, error)) {
    Mix_SetSoundFonts(sound_font_.c_str());
  }
  if (Mix_OpenAudio(kFrequency, MIX_DEFAULT_FORMAT, kChannels, kChunkFrames) != 0) {
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    hooked_backend = nullptr;
    return false;
  }
  Mix_HookMusicFinished(&SdlAudioBackend::OnMusicFinished);
  device_ = Device::kOpen;
  return true;
}

void SdlAudioBackend::CloseDevice() {
  if (device_ != Device::kOpen) return;
  // Removing the hook waits for a running audio callback, so none of ours
  // runs after this line.
  Mix_HookMusicFinished(nullptr);
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  hooked_backend = nullptr;
  device_ = Device::kClosed;
}

void SdlAudioBackend::OnMusicFinished() {
  SdlAudioBackend* backend = hooked_backend.load();
  if (backend != nullptr && backend->handler_) backend->handler_(backend->token_.load());
}

bool SdlAudioBackend::Load(const std::filesystem::path& file) {
  Halt();
  // The mixer would wait forever on a FIFO and read a device without end.
  if (!CheckRegularFile(file, kMaxSoundFileBytes).ok) return false;
  if (!OpenDevice()) return false;
  music_.reset(Mix_LoadMUS(file.c_str()));
  if (music_ == nullptr) return false;
  if (Mix_GetMusicType(music_.get()) == MUS_MID) {
    const MidiCheck midi = CheckMidiFile(file);
    if (midi.refused) {
      music_.reset();
      return false;
    }
    playing_time_ = midi.time;
  }
  return true;
}

bool SdlAudioBackend::Start(std::uint64_t token) {
  if (music_ == nullptr) return false;
  // Halting takes the audio lock: a finished hook of the sound before has
  // run to its end, and has read the old token, before the new one is set.
  Mix_HaltMusic();
  token_ = token;
  return Mix_PlayMusic(music_.get(), 0) == 0;
}

void SdlAudioBackend::Halt() {
  playing_time_.reset();
  if (music_ == nullptr) return;
  Mix_HaltMusic();
  music_.reset();
}

void SdlAudioBackend::Silence() {
  // The finished hook runs inside, as for a sound that ran to its end.
  if (music_ != nullptr) Mix_HaltMusic();
}

}  // namespace qvn::sound
