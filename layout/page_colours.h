#pragma once
// The seventeen colours a story selects with COL= and FCL=, and the colour of
// the text's outline.
#include <cstdint>

namespace qvn {

struct Rgb {
  std::uint8_t red = 0, green = 0, blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr int kDefaultColourIndex = 16;

// Index 16 and anything outside 0 to 16 is the default: black.
Rgb BackgroundColour(int index);
// Index 16 and anything outside 0 to 16 is the default: white.
Rgb TextColour(int index);
// Navy behind the light text colours, else yellow (bright outline) or olive.
Rgb OutlineColour(int text_index, bool bright_outline);

}  // namespace qvn
