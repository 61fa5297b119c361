#pragma once
// JPEG encoding through the libjpeg API with the converter's settings.
#include <string>
#include <vector>

#include "common/bytes.h"
#include "platform/file_io.h"

namespace qvn {

// 24-bit RGB, rows top to bottom, no padding.
struct RgbPicture {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;
};

struct JpegSettings {
  int quality = 60;  // 1 to 100
  bool progressive = false;
  bool grayscale = false;
};

// The converter's bar gives the compression rate in percent; libjpeg wants a
// quality, so position 0 is quality 100 and position 99 is quality 1.
inline int QualityForCompression(int bar_position) {
  return 100 - bar_position;
}

// Library defaults, the quality with baseline-compatible tables, then grey
// scale and progression as asked. Fails with libjpeg's message on a picture
// it refuses (an empty one, or a buffer that does not match the size).
FileResult EncodeJpeg(const RgbPicture& picture, const JpegSettings& settings, Bytes& out);

// Encodes, then writes atomically; an existing file whose name differs only in
// letter case is rewritten in place instead of getting a twin.
FileResult WriteJpegFile(const std::string& path, const RgbPicture& picture,
                         const JpegSettings& settings);

}  // namespace qvn
