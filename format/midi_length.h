#pragma once
// How long a Standard MIDI File plays by its own clock: from its start to its
// last event, timed by the file's tempo map. A synthesizer reports its end
// only when its release and reverb have died away, seconds later, so music
// that repeats after its end is timed by this instead.
#include <chrono>
#include <optional>
#include <string_view>

namespace qvn {

// The moment of the last event (an End of Track meta event included) of any
// track of `file`, formats 0, 1 and 2, ticks per quarter note or SMPTE frames.
// A wave-style RIFF "RMID" wrapping is looked through. Empty when `file` is
// no MIDI file; a damaged track counts up to its last whole event.
std::optional<std::chrono::microseconds> MidiPlayingTime(std::string_view file);

}  // namespace qvn
