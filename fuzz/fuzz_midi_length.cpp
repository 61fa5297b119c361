// Any bytes as a MIDI file: reading its length never crashes, never reads
// outside the bytes, and never gives a negative time.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "format/midi_length.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto time = qvn::MidiPlayingTime(std::string_view(reinterpret_cast<const char*>(data), size));
  if (time && time->count() < 0) std::abort();
  return 0;
}
