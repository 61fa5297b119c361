#pragma once
// Index record: name length, 8 name bytes, signed 32-bit little-endian value.
#include <array>
#include <cstdint>

#include "common/bytes.h"

namespace qvn {

inline constexpr std::size_t kIndexRecordSize = 13;

struct IndexRecord {
  std::uint8_t length = 0;            // significant name bytes, 0 to 8
  std::array<char, 8> name_bytes{};   // bytes after `length` are not significant
  std::int32_t value = 0;

  BytesView Name() const { return BytesView(name_bytes.data(), length > 8 ? 8 : length); }
};

// Appends one record; the name is cut to 8 bytes, unused name bytes are zero.
void AppendIndexRecord(Bytes& out, BytesView name, std::int32_t value);

// Decodes 13 bytes.
IndexRecord DecodeIndexRecord(const char* bytes);

}  // namespace qvn
