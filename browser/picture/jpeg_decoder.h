#pragma once
// JPEG decoding through libjpeg, at its best quality, to 24-bit colour or to
// 8-bit palette colour for the low-colour mode.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/bytes.h"

namespace qvn {

struct DecodedPicture {
  int width = 0;
  int height = 0;
  // 24-bit: 3 bytes (R, G, B) per pixel. Palette: 1 index byte per pixel.
  std::vector<std::uint8_t> pixels;
  std::vector<std::array<std::uint8_t, 3>> palette;  // empty for 24-bit
  bool Indexed() const { return !palette.empty(); }
};

// Pictures beyond this many pixels are refused rather than decoded.
inline constexpr std::int64_t kMaxPicturePixels = 64LL * 1024 * 1024;

// A progressive picture is read scan by scan, each scan a pass over all its
// blocks however few bytes it takes: both the scans and the passes over a
// large picture are bounded, so that a small file cannot hold the window.
// Honest encoders write about ten scans.
inline constexpr int kMaxJpegScans = 256;
inline constexpr std::int64_t kMaxJpegScanPixels = 64 * kMaxPicturePixels;

// nullopt for anything that is not a whole, decodable JPEG picture.
std::optional<DecodedPicture> DecodeJpeg(BytesView data, bool palette);

}  // namespace qvn
