#pragma once
// MIDI tunes for the web page: rendered to Ogg Vorbis with FluidSynth and the
// soundfont QVN3 plays them with, cut at the tune's own end (its last event
// by its tempo map), so the pause before a repeat is QVN3's.
#include <filesystem>
#include <string>

#include "common/bytes.h"

namespace qvn {

// Renders `midi` into `ogg`; false with a reason (UTF-8) when FluidSynth,
// oggenc or the soundfont is missing or the file cannot be rendered.
bool RenderMidiToOgg(const std::filesystem::path& midi, Bytes& ogg, std::string& reason);

}  // namespace qvn
