// Any bytes as the JPEG a story's picture names: decoded or refused, never a
// crash, in both colour modes.
#include <cstdint>

#include "browser/picture/jpeg_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qvn::BytesView bytes(reinterpret_cast<const char*>(data), size);
  qvn::DecodeJpeg(bytes, false);
  qvn::DecodeJpeg(bytes, true);
  return 0;
}
