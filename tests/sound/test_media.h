#pragma once
// Small sound files made in the test: a sine wave and a few MIDI notes.
#include <string>
#include <vector>

namespace qvn::sound::testing {

// A 16-bit mono PCM wave file holding a sine tone.
std::string SineWaveFile(int milliseconds, int frequency_hz);
// A Standard MIDI File (type 0, piano) playing `notes` one after another,
// each for `note_ms` milliseconds.
std::string MidiNotesFile(const std::vector<int>& notes, int note_ms);

}  // namespace qvn::sound::testing
