#pragma once
// The scramble of the password record: byte i becomes ((K + i) mod p_i) + 1.
#include <cstdint>

#include "common/bytes.h"

namespace qvn {

Bytes ScramblePassword(BytesView password, std::int16_t key);

}  // namespace qvn
