#pragma once
// Reads back what the converter wrote, through libjpeg's decompressor.
#include <string>

namespace qvn {

struct JpegFacts {
  bool ok = false;
  int width = 0;
  int height = 0;
  int components = 0;
  bool progressive = false;
  int luminance_dc_quant = 0;  // first entry of the first quantisation table
  int max_quant = 0;           // largest entry of any table
  unsigned char first_pixel[3] = {0, 0, 0};
};

JpegFacts ReadJpegFacts(const std::string& path);

// The first luminance entry libjpeg derives from a quality with baseline
// tables: 16 scaled by the quality's factor, kept within 1 to 255.
int ExpectedLuminanceDc(int quality);

}  // namespace qvn
