#pragma once
// What the sound player needs of an audio device: one loaded sound at a time,
// started from its beginning, halted, and a notice when it stops. The SDL
// implementation plays through the speakers; tests use a recording fake.
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

namespace qvn::sound {

class AudioBackend {
 public:
  // Receives the token given to the `Start` whose sound has stopped, whether
  // it ran to its end or was halted. May be called on any thread, and from
  // inside `Halt` and `Start`.
  using StoppedHandler = std::function<void(std::uint64_t token)>;

  virtual ~AudioBackend() = default;

  // Set once, before the first `Load`.
  virtual void SetStoppedHandler(StoppedHandler handler) = 0;
  // Opens the device when it is not open yet and loads `file` in place of the
  // sound loaded before. False when the device or the file was refused.
  virtual bool Load(const std::filesystem::path& file) = 0;
  // Plays the loaded sound once from its beginning; its stop is reported with
  // `token`. False when nothing is loaded or the device refused it.
  virtual bool Start(std::uint64_t token) = 0;
  // Halts and frees the loaded sound; nothing when none is loaded.
  virtual void Halt() = 0;
  // How long the loaded sound plays by its own clock, when the device would
  // report its stop later than that: a MIDI tune ends at its last event, not
  // when the synthesizer's release and reverb have died away. Empty when the
  // device's stop is the sound's end (wave and other sampled sounds).
  virtual std::optional<std::chrono::milliseconds> PlayingTime() const = 0;
  // Halts the playing sound and keeps it loaded for the next `Start`; its
  // stop is reported as any other. Nothing when it is not playing.
  virtual void Silence() = 0;
};

}  // namespace qvn::sound
