#include "format/midi_length.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace qvn {
namespace {

constexpr std::uint32_t kDefaultMicrosecondsPerQuarter = 500000;  // 120 beats a minute
// Longer than any music; keeps the result within its type whatever the file.
constexpr double kLongestMicroseconds = 1e15;

// Reads big-endian numbers and variable-length quantities from a byte range;
// every read fails instead of passing the end.
class ByteReader {
 public:
  explicit ByteReader(std::string_view data) : data_(data) {}

  bool AtEnd() const { return position_ >= data_.size(); }
  std::size_t Left() const { return data_.size() - position_; }
  std::size_t Position() const { return position_; }

  bool Peek(std::uint8_t& value) const {
    if (AtEnd()) return false;
    value = static_cast<std::uint8_t>(data_[position_]);
    return true;
  }
  bool Byte(std::uint8_t& value) {
    if (!Peek(value)) return false;
    ++position_;
    return true;
  }
  bool Big(int bytes, std::uint32_t& value) {
    if (Left() < static_cast<std::size_t>(bytes)) return false;
    value = 0;
    for (int i = 0; i < bytes; ++i)
      value = (value << 8) | static_cast<std::uint8_t>(data_[position_++]);
    return true;
  }
  // At most four bytes, as the file format allows (values below 2^28).
  bool VariableLength(std::uint32_t& value) {
    value = 0;
    for (int i = 0; i < 4; ++i) {
      std::uint8_t byte = 0;
      if (!Byte(byte)) return false;
      value = (value << 7) | (byte & 0x7F);
      if ((byte & 0x80) == 0) return true;
    }
    return false;
  }
  bool Skip(std::size_t bytes) {
    if (Left() < bytes) return false;
    position_ += bytes;
    return true;
  }
  // The next `bytes` bytes, or as many as there are.
  std::string_view Take(std::size_t bytes) {
    std::string_view taken = data_.substr(position_, bytes);
    position_ += taken.size();
    return taken;
  }

 private:
  std::string_view data_;
  std::size_t position_ = 0;
};

struct TempoChange {
  std::uint64_t tick = 0;
  std::uint32_t microseconds_per_quarter = 0;
};

// The tick of the track's last whole event; tempo changes are added to
// `tempo_map`. A damaged event ends the track where it begins.
std::uint64_t ReadTrack(std::string_view body, std::vector<TempoChange>& tempo_map) {
  ByteReader track(body);
  std::uint64_t tick = 0;
  std::uint8_t running_status = 0;
  while (!track.AtEnd()) {
    std::uint32_t delta = 0;
    std::uint8_t status = 0;
    if (!track.VariableLength(delta) || !track.Peek(status)) break;
    if (status >= 0x80) {
      track.Byte(status);
    } else if (running_status != 0) {
      status = running_status;  // the byte read is the first data byte
    } else {
      break;
    }
    if (status < 0xF0) {
      const std::uint8_t kind = status & 0xF0;
      if (!track.Skip(kind == 0xC0 || kind == 0xD0 ? 1 : 2)) break;
      running_status = status;
      tick += delta;
    } else if (status == 0xFF) {
      std::uint8_t type = 0;
      std::uint32_t length = 0;
      if (!track.Byte(type) || !track.VariableLength(length)) break;
      const std::size_t start = track.Position();
      std::uint32_t tempo = 0;
      if (type == 0x51 && length >= 3 && !track.Big(3, tempo)) break;
      if (!track.Skip(length - (track.Position() - start))) break;
      tick += delta;
      if (type == 0x51 && tempo != 0) tempo_map.push_back({tick, tempo});
      if (type == 0x2F) break;  // End of Track
    } else if (status == 0xF0 || status == 0xF7) {
      std::uint32_t length = 0;
      if (!track.VariableLength(length) || !track.Skip(length)) break;
      tick += delta;
    } else {
      break;  // real-time and common messages have no place in a file
    }
  }
  return tick;
}

// The Standard MIDI File inside an "RMID" RIFF file, or `file` itself.
std::string_view Unwrap(std::string_view file) {
  if (file.size() < 12 || file.substr(0, 4) != "RIFF" || file.substr(8, 4) != "RMID") return file;
  ByteReader riff(file.substr(12));
  while (riff.Left() >= 8) {
    std::string_view id = riff.Take(4);
    std::uint32_t size = 0;
    for (int i = 0; i < 4; ++i) {
      std::uint8_t byte = 0;
      riff.Byte(byte);
      size |= static_cast<std::uint32_t>(byte) << (8 * i);
    }
    if (id == "data") return riff.Take(size);
    if (!riff.Skip(std::size_t{size} + (size & 1))) break;
  }
  return {};
}

}  // namespace

std::optional<std::chrono::microseconds> MidiPlayingTime(std::string_view file) {
  ByteReader reader(Unwrap(file));
  std::uint32_t header_length = 0, format = 0, tracks = 0, division = 0;
  if (reader.Take(4) != "MThd" || !reader.Big(4, header_length) || header_length < 6 ||
      !reader.Big(2, format) || !reader.Big(2, tracks) || !reader.Big(2, division) ||
      !reader.Skip(std::min<std::size_t>(header_length - 6, reader.Left()))) {
    return std::nullopt;
  }
  // Microseconds of one tick: fixed for SMPTE time, else per quarter note.
  double smpte_tick = 0;
  if (division & 0x8000) {
    const int frames = -static_cast<std::int8_t>(division >> 8);
    const int ticks_per_frame = static_cast<int>(division & 0xFF);
    if ((frames != 24 && frames != 25 && frames != 29 && frames != 30) || ticks_per_frame == 0) {
      return std::nullopt;
    }
    const double frames_per_second = frames == 29 ? 30000.0 / 1001.0 : frames;
    smpte_tick = 1e6 / (frames_per_second * ticks_per_frame);
  } else if (division == 0) {
    return std::nullopt;
  }

  // Every track plays at once (a format 2 file too, as synthesizers play
  // it), all under one tempo map whichever track holds its changes.
  std::vector<TempoChange> tempo_map;
  std::uint64_t end_tick = 0;
  for (std::uint32_t found = 0; found < tracks && reader.Left() >= 8;) {
    std::string_view id = reader.Take(4);
    std::uint32_t length = 0;
    reader.Big(4, length);
    std::string_view body = reader.Take(length);  // a short last chunk is read as far as it goes
    if (id != "MTrk") continue;
    ++found;
    end_tick = std::max(end_tick, ReadTrack(body, tempo_map));
  }

  double microseconds = 0;
  if (smpte_tick != 0) {
    microseconds = static_cast<double>(end_tick) * smpte_tick;
  } else {
    std::stable_sort(tempo_map.begin(), tempo_map.end(),
                     [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
    std::uint64_t tick = 0;
    double tempo = kDefaultMicrosecondsPerQuarter;
    for (const TempoChange& change : tempo_map) {
      if (change.tick >= end_tick) break;
      microseconds += static_cast<double>(change.tick - tick) * tempo / division;
      tick = change.tick;
      tempo = change.microseconds_per_quarter;
    }
    microseconds += static_cast<double>(end_tick - tick) * tempo / division;
  }
  microseconds = std::min(microseconds, kLongestMicroseconds);
  return std::chrono::microseconds(static_cast<std::int64_t>(microseconds + 0.5));
}

}  // namespace qvn
