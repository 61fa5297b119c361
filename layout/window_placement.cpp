#include "layout/window_placement.h"

#include <algorithm>
#include <cstdint>

namespace qvn {

namespace {

struct Span {
  int start;
  int length;
};

// One axis; 64-bit sums, since any int may come from a settings file.
Span PlaceSpan(int start, int length, int screen_start, int screen_length, int minimum) {
  length = std::max(std::min(length, screen_length), minimum);
  std::int64_t last_start = std::int64_t{screen_start} + screen_length - length;
  std::int64_t placed = std::min<std::int64_t>(start, last_start);
  placed = std::max<std::int64_t>(placed, screen_start);
  return {static_cast<int>(placed), length};
}

}  // namespace

WindowPlacement PlaceWindow(Point position, Size size, const ScreenArea& screen, Size minimum) {
  Span x = PlaceSpan(position.x, size.width, screen.x, std::max(screen.width, 0), minimum.width);
  Span y = PlaceSpan(position.y, size.height, screen.y, std::max(screen.height, 0), minimum.height);
  return {{x.start, y.start}, {x.length, y.length}};
}

}  // namespace qvn
