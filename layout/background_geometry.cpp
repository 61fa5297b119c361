#include "layout/background_geometry.h"

#include <algorithm>

namespace qvn {

StretchLayout StretchPicture(Size area, Size picture) {
  StretchLayout layout;
  if (picture.width <= 0 || picture.height <= 0) return layout;
  double rx = static_cast<double>(area.width) / picture.width;
  double ry = static_cast<double>(area.height) / picture.height;
  if (rx >= ry) {
    // The height limits: bars left and right.
    int w = static_cast<int>(static_cast<double>(area.height) / picture.height * picture.width);
    int x0 = (area.width - w) / 2;
    layout.picture = {x0, 0, x0 + w, area.height};
    layout.bars = {{0, 0, x0, area.height}, {x0 + w, 0, area.width, area.height}};
  } else {
    int h = static_cast<int>(static_cast<double>(area.width) / picture.width * picture.height);
    int y0 = (area.height - h) / 2;
    layout.picture = {0, y0, area.width, y0 + h};
    layout.bars = {{0, 0, area.width, y0}, {0, y0 + h, area.width, area.height}};
  }
  return layout;
}

std::vector<Point> TileOrigins(Size area, Size picture) {
  std::vector<Point> origins;
  if (picture.width <= 0 || picture.height <= 0 || area.width < 0 || area.height < 0)
    return origins;
  for (int r = 0; r <= area.height / picture.height; ++r)
    for (int c = 0; c <= area.width / picture.width; ++c)
      origins.push_back({picture.width * c, picture.height * r});
  return origins;
}

std::vector<Point> WatermarkOrigins(Size area, int step) {
  std::vector<Point> origins;
  if (area.width < 0 || area.height < 0 || step <= 0) return origins;
  for (int r = 0; r <= area.height / step; ++r)
    for (int c = 0; c <= area.width / step; ++c) origins.push_back({step * c, step * r + 80});
  return origins;
}

int WatermarkStep(int text_width) {
  int step = kWatermarkStep;
  // The smallest step whose diagonal, step × √2, holds the text.
  while (2 * static_cast<long long>(step) * step < static_cast<long long>(text_width) * text_width)
    ++step;
  return step;
}

Rgb WatermarkColour(int index, bool low_colour) {
  if (low_colour) return BackgroundColour((index + 8) % 16);
  Rgb colour = BackgroundColour(index);
  return {static_cast<std::uint8_t>(colour.red ^ 0x2F),
          static_cast<std::uint8_t>(colour.green ^ 0x2F),
          static_cast<std::uint8_t>(colour.blue ^ 0x2F)};
}

Point GraphicsWindowPosition(Rect main_window, Size graphics, Size screen) {
  int left = main_window.left, top = main_window.top;
  int width = main_window.Width(), height = main_window.Height();
  if (left >= graphics.width) return {left - graphics.width, top};
  if (top >= graphics.height) return {left, top - graphics.height};
  if (screen.width - left - width >= graphics.width) return {left + width, top};
  if (screen.height - top - height >= graphics.height) return {left, top + height};
  return {0, 0};
}

Size GraphicsWindowSize(Size picture, Size screen) {
  return {std::min(picture.width, screen.width), std::min(picture.height, screen.height)};
}

}  // namespace qvn
