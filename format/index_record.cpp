#include "format/index_record.h"

#include <cstring>

#include "format/markers.h"

namespace qvn {

void AppendIndexRecord(Bytes& out, BytesView name, std::int32_t value) {
  BytesView kept = name.substr(0, kMaxBlockNameBytes);
  char record[kIndexRecordSize] = {};
  record[0] = static_cast<char>(kept.size());
  std::memcpy(record + 1, kept.data(), kept.size());
  auto bits = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) record[9 + i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
  out.append(record, kIndexRecordSize);
}

IndexRecord DecodeIndexRecord(const char* bytes) {
  IndexRecord record;
  record.length = static_cast<std::uint8_t>(bytes[0]);
  std::memcpy(record.name_bytes.data(), bytes + 1, 8);
  std::uint32_t bits = 0;
  for (int i = 0; i < 4; ++i)
    bits |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[9 + i])) << (8 * i);
  record.value = static_cast<std::int32_t>(bits);
  return record;
}

}  // namespace qvn
