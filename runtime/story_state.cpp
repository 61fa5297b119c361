#include "runtime/story_state.h"

namespace qvn {

int ColourIndexFrom(std::int32_t value) {
  int low_byte = static_cast<int>(static_cast<std::uint32_t>(value) & 0xFF);
  return low_byte <= kDefaultColour ? low_byte : kDefaultColour;
}

}  // namespace qvn
