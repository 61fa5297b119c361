#pragma once
// The name the converter gives a picture's JPEG file.
#include <string>

namespace qvn {

// The text from the last "." of the file name is replaced by ".JPG"; a name
// without one gets ".JPG" appended. Dots in folder names do not count.
std::string JpegNameFor(const std::string& bitmap_path);

}  // namespace qvn
