#pragma once
// The reader's progress in an open story: what a user data file holds, plus
// the run-time sound names.
#include <array>
#include <cstdint>

#include "common/bytes.h"
#include "format/story_variables.h"

namespace qvn {

inline constexpr int kFlagCount = 1000;  // flag 0 exists for conditions only
inline constexpr int kDefaultColour = 16;

struct StoryState {
  StoryState() { flags[0] = 1; }

  Bytes title;
  Bytes position_name;
  std::int32_t position_offset = -1;
  StringVariables variables;
  std::array<std::uint8_t, kFlagCount> flags{};  // 0 or 1
  std::array<char, 26> counters{'A', 'A', 'A', 'A', 'A', 'A', 'A', 'A', 'A', 'A', 'A', 'A', 'A',
                                'A', 'A', 'A', 'A', 'A', 'A', 'A', 'A', 'A', 'A', 'A', 'A', 'A'};
  bool resume = false;  // the prologue of the position's block has been applied
  int background_colour = kDefaultColour;
  int text_colour = kDefaultColour;
  Bytes background_spec;  // empty, or 's' / 't' and the picture's name
  Bytes current_sound;
  Bytes previous_sound;
  bool music_mark = false;  // the sound started last came from BGM=
};

// A colour value as stored: its low byte, and the default for anything that
// would fall outside the 17-entry colour table.
int ColourIndexFrom(std::int32_t value);

// True for the letters that name a counter and hold its value.
constexpr bool IsCounterLetter(char ch) {
  return ch >= 'A' && ch <= 'Z';
}

}  // namespace qvn
