#pragma once
// Where the browser window may stand: on the screen, no smaller than its
// minimum, whatever a settings file asked for.
#include "layout/window_geometry.h"

namespace qvn {

// The part of the desktop a window may cover (without panels).
struct ScreenArea {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

struct WindowPlacement {
  Point position;
  Size size;
  friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

// Each side is kept between the minimum and the screen's (the minimum wins on
// a smaller screen), then the window is moved the least that puts it wholly
// on the screen, its top-left corner first when it is larger.
WindowPlacement PlaceWindow(Point position, Size size, const ScreenArea& screen,
                            Size minimum = kMinimumWindowSize);

}  // namespace qvn
