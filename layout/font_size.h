#pragma once
// Font sizes: the settings keep points, the window draws with whole pixels, so
// that one byte's cell is the font's real advance. A point is 96/72 of a
// pixel, rounded to the nearest whole pixel (16 points give 21 pixels).
namespace qvn {

inline constexpr int kFontDotsPerInch = 96;

constexpr int PointsToPixels(int points) {
  return (points * kFontDotsPerInch + 36) / 72;
}

// The inverse: every point size comes back from its pixel size.
constexpr int PixelsToPoints(int pixels) {
  return (pixels * 72 + kFontDotsPerInch / 2) / kFontDotsPerInch;
}

}  // namespace qvn
