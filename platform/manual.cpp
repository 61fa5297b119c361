#include "platform/manual.h"

#include "platform/data_folder.h"

namespace qvn {

std::string ManualPath(const std::string& manual) {
  return FindDataFile(manual);
}

}  // namespace qvn
