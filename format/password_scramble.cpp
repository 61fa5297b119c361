#include "format/password_scramble.h"

namespace qvn {

Bytes ScramblePassword(BytesView password, std::int16_t key) {
  Bytes scrambled(password);
  for (std::size_t i = 0; i < scrambled.size(); ++i) {
    auto divisor = static_cast<std::int32_t>(static_cast<unsigned char>(scrambled[i]));
    // A zero byte cannot come from the dialog; leave it rather than divide by it.
    if (divisor == 0) continue;
    std::int32_t dividend = std::int32_t{key} + static_cast<std::int32_t>(i + 1);
    scrambled[i] = static_cast<char>(((dividend % divisor) + 1) & 0xFF);
  }
  return scrambled;
}

}  // namespace qvn
