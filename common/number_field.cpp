#include "common/number_field.h"

#include <limits>

namespace qvn {

std::optional<int> HexDigit(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  return std::nullopt;
}

std::optional<std::int32_t> ParseNumberField(BytesView field) {
  std::size_t i = 0;
  while (i < field.size() && field[i] == ' ') ++i;
  if (i == field.size()) return std::nullopt;

  if (field[i] == '$') {
    ++i;
    // Up to eight hexadecimal digits fill 32 bits; the value wraps into the
    // signed range as the original number conversion did.
    if (i == field.size() || field.size() - i > 8) return std::nullopt;
    std::uint32_t value = 0;
    for (; i < field.size(); ++i) {
      auto digit = HexDigit(field[i]);
      if (!digit) return std::nullopt;
      value = value * 16 + static_cast<std::uint32_t>(*digit);
    }
    return static_cast<std::int32_t>(value);
  }

  bool negative = false;
  if (field[i] == '+' || field[i] == '-') {
    negative = field[i] == '-';
    ++i;
  }
  if (i == field.size()) return std::nullopt;
  std::int64_t value = 0;
  for (; i < field.size(); ++i) {
    char ch = field[i];
    if (ch < '0' || ch > '9') return std::nullopt;
    value = value * 10 + (ch - '0');
    if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

}  // namespace qvn
