#include "workbench/key_number.h"

#include <algorithm>

#include "common/number_field.h"

namespace qvn {

std::optional<std::int16_t> KeyNumberOf(BytesView key_text) {
  auto number = ParseNumberField(key_text);
  if (!number || *number < kMinKeyNumber || *number > kMaxKeyNumber) return std::nullopt;
  return static_cast<std::int16_t>(*number);
}

int StepKeyNumber(int position, int delta) {
  int current = std::clamp(position, kMinKeyNumber, kMaxKeyNumber);
  int next = current + delta;
  if (next > kMaxKeyNumber) return kMinKeyNumber;
  if (next < kMinKeyNumber) return kMaxKeyNumber;
  return next;
}

bool PasswordInputComplete(BytesView password, BytesView key_text) {
  return KeyNumberOf(key_text).has_value() && !password.empty();
}

}  // namespace qvn
