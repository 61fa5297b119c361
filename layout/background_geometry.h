#pragma once
// Where the background of the text area goes: a stretched picture with bars,
// tiles, or the watermark grid over a plain colour.
#include <vector>

#include "layout/page_colours.h"
#include "layout/window_geometry.h"

namespace qvn {

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;  // exclusive
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct StretchLayout {
  Rect picture;            // where the picture is stretched to
  std::vector<Rect> bars;  // the two bars in the colour of its top-left pixel
};

// The picture scaled to fill one side of `area`, centred on the other.
StretchLayout StretchPicture(Size area, Size picture);

// The top-left corners of the tiles that cover `area`, the last ones cut off.
std::vector<Point> TileOrigins(Size area, Size picture);

// The points where "QVN System" is written: every 100 pixels across, every
// 100 pixels down from 80.
inline constexpr int kWatermarkStep = 100;

std::vector<Point> WatermarkOrigins(Size area, int step = kWatermarkStep);

// The grid step for a watermark text `text_width` pixels long (its gap to the
// next repeat included): 100, or more where the text would not fit on the
// diagonal between two repeats (step × √2).
int WatermarkStep(int text_width);

// The watermark's colour over background index `index`: the colour with 0x2F
// mixed into each channel, or the darker or lighter partner in low-colour mode.
Rgb WatermarkColour(int index, bool low_colour);

// Where the graphics window goes beside the main window (outer frames): to
// its left, above it, to its right, below it, else the screen's corner.
Point GraphicsWindowPosition(Rect main_window, Size graphics, Size screen);

// A picture larger than the screen is cut to it.
Size GraphicsWindowSize(Size picture, Size screen);

}  // namespace qvn
