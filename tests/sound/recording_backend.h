#pragma once
// An audio device that writes what it is asked into a shared log and behaves
// like SDL's: halting a playing sound reports its stop at once, and a test
// ends the current sound with `Finish`.
#include <cstdint>
#include <string>
#include <vector>

#include "browser/sound/audio_backend.h"

namespace qvn::sound::testing {

class RecordingBackend final : public AudioBackend {
 public:
  explicit RecordingBackend(std::vector<std::string>& log) : log_(log) {}

  void SetStoppedHandler(StoppedHandler handler) override { handler_ = std::move(handler); }
  bool Load(const std::filesystem::path& file) override {
    Halt();
    log_.push_back("load " + file.filename().string());
    if (refuse_load) return false;
    loaded_ = true;
    return true;
  }
  bool Start(std::uint64_t token) override {
    log_.push_back("start");
    if (!loaded_ || refuse_start) return false;
    token_ = token;
    sounding_ = true;
    return true;
  }
  void Halt() override {
    if (!loaded_) return;
    log_.push_back("halt");
    loaded_ = false;
    if (sounding_) Finish();
  }
  std::optional<std::chrono::milliseconds> PlayingTime() const override {
    return loaded_ ? playing_time : std::nullopt;
  }
  void Silence() override {
    log_.push_back("silence");
    if (loaded_ && sounding_) Finish();
  }

  // The current sound ends (or is halted): its stop is reported.
  void Finish() {
    sounding_ = false;
    handler_(token_);
  }

  // What `PlayingTime` gives for every sound loaded.
  std::optional<std::chrono::milliseconds> playing_time;
  bool refuse_load = false;
  bool refuse_start = false;

 private:
  std::vector<std::string>& log_;
  StoppedHandler handler_;
  std::uint64_t token_ = 0;
  bool loaded_ = false;
  bool sounding_ = false;
};

}  // namespace qvn::sound::testing
