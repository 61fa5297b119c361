#include "workbench/jpeg_name.h"

namespace qvn {

std::string JpegNameFor(const std::string& bitmap_path) {
  std::size_t slash = bitmap_path.rfind('/');
  std::size_t name_start = slash == std::string::npos ? 0 : slash + 1;
  std::size_t dot = bitmap_path.rfind('.');
  if (dot == std::string::npos || dot < name_start) return bitmap_path + ".JPG";
  return bitmap_path.substr(0, dot) + ".JPG";
}

}  // namespace qvn
