#pragma once
// Small sound files made in the test (a sine wave and a few MIDI notes), and
// what a recording of SDL's file-writing driver holds.
#include <cstddef>
#include <string>
#include <vector>

namespace qvn::sound::testing {

// A 16-bit mono PCM wave file holding a sine tone.
std::string SineWaveFile(int milliseconds, int frequency_hz);
// A Standard MIDI File (type 0, piano) playing `notes` one after another,
// each for `note_ms` milliseconds.
std::string MidiNotesFile(const std::vector<int>& notes, int note_ms);

// The bytes of a recording that are not zero.
std::size_t NonSilentBytes(const std::string& samples);
// Seconds from the start of a recording (16-bit little-endian samples,
// `channels` interleaved) to each sound that rises from at least 0.3 s of
// silence to a clearly audible level.
std::vector<double> OnsetSeconds(const std::string& samples, int rate, int channels);

// How far a measured time from one start of a looping sound to the next may
// stray: on a busy machine a thread waits its turn for some tenths of a
// second. Still far from a repeat without the pause (0.8 s less) or one
// after the synthesizer's tail (3 s more).
inline constexpr double kLoopToleranceSeconds = 0.3;

}  // namespace qvn::sound::testing
