#include "tests/sound/test_media.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>
#include <optional>

namespace qvn::sound::testing {
namespace {

void PutLittle(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void PutBig(std::string& out, std::uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void PutVariableLength(std::string& out, std::uint32_t value) {
  std::string reversed(1, static_cast<char>(value & 0x7F));
  while ((value >>= 7) != 0) reversed.push_back(static_cast<char>(0x80 | (value & 0x7F)));
  out.append(reversed.rbegin(), reversed.rend());
}

}  // namespace

std::string SineWaveFile(int milliseconds, int frequency_hz) {
  constexpr int kRate = 22050;
  const std::uint32_t frames = static_cast<std::uint32_t>(kRate * milliseconds / 1000);
  const std::uint32_t data_bytes = frames * 2;
  std::string out = "RIFF";
  PutLittle(out, 36 + data_bytes, 4);
  out += "WAVEfmt ";
  PutLittle(out, 16, 4);
  PutLittle(out, 1, 2);  // PCM
  PutLittle(out, 1, 2);  // mono
  PutLittle(out, kRate, 4);
  PutLittle(out, kRate * 2, 4);
  PutLittle(out, 2, 2);
  PutLittle(out, 16, 2);
  out += "data";
  PutLittle(out, data_bytes, 4);
  for (std::uint32_t i = 0; i < frames; ++i) {
    double sample = 12000.0 * std::sin(2 * std::numbers::pi * frequency_hz * i / kRate);
    PutLittle(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(sample)), 2);
  }
  return out;
}

std::string MidiNotesFile(const std::vector<int>& notes, int note_ms) {
  constexpr int kTicksPerQuarter = 96;
  constexpr int kMicrosecondsPerQuarter = 500000;
  const std::uint32_t note_ticks =
      static_cast<std::uint32_t>(note_ms) * kTicksPerQuarter * 1000 / kMicrosecondsPerQuarter;
  std::string track;
  track += std::string("\x00\xFF\x51\x03", 4);
  PutBig(track, kMicrosecondsPerQuarter, 3);
  track += std::string("\x00\xC0\x00", 3);  // piano
  for (int note : notes) {
    track += std::string("\x00\x90", 2);
    track.push_back(static_cast<char>(note));
    track.push_back(100);
    PutVariableLength(track, note_ticks);
    track.push_back(static_cast<char>(0x80));
    track.push_back(static_cast<char>(note));
    track.push_back(64);
  }
  track += std::string("\x00\xFF\x2F\x00", 4);
  std::string out = "MThd";
  PutBig(out, 6, 4);
  PutBig(out, 0, 2);  // type 0
  PutBig(out, 1, 2);
  PutBig(out, kTicksPerQuarter, 2);
  out += "MTrk";
  PutBig(out, static_cast<std::uint32_t>(track.size()), 4);
  return out + track;
}

std::size_t NonSilentBytes(const std::string& samples) {
  return static_cast<std::size_t>(
      std::count_if(samples.begin(), samples.end(), [](char c) { return c != 0; }));
}

std::vector<double> OnsetSeconds(const std::string& samples, int rate, int channels) {
  constexpr int kSilent = 64;
  constexpr int kLoud = 2000;
  const std::size_t frames = samples.size() / (2 * static_cast<std::size_t>(channels));
  std::vector<double> onsets;
  int quiet_frames = rate;            // the recording begins in silence
  std::optional<std::size_t> rising;  // the first sound after the silence
  for (std::size_t frame = 0; frame < frames; ++frame) {
    int level = 0;
    for (int channel = 0; channel < channels; ++channel) {
      const std::size_t at = 2 * (frame * static_cast<std::size_t>(channels) + channel);
      const auto sample = static_cast<std::int16_t>(
          static_cast<std::uint8_t>(samples[at]) | static_cast<std::uint8_t>(samples[at + 1]) << 8);
      level = std::max(level, std::abs(static_cast<int>(sample)));
    }
    if (level <= kSilent) {
      ++quiet_frames;
      continue;
    }
    if (quiet_frames >= rate * 3 / 10) rising = frame;
    quiet_frames = 0;
    if (level >= kLoud && rising) {
      onsets.push_back(static_cast<double>(*rising) / rate);
      rising.reset();
    }
  }
  return onsets;
}

}  // namespace qvn::sound::testing
