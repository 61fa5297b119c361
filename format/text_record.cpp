#include "format/text_record.h"

namespace qvn {

void AppendTextRecord(Bytes& out, BytesView text) {
  BytesView kept = text.substr(0, kMaxLineBytes);
  out.push_back(static_cast<char>(kept.size()));
  out.append(kept);
}

std::optional<BytesView> ReadTextRecord(BytesView body, std::size_t& offset) {
  if (offset >= body.size()) return std::nullopt;
  std::size_t length = static_cast<unsigned char>(body[offset]);
  if (body.size() - offset - 1 < length) return std::nullopt;
  BytesView text = body.substr(offset + 1, length);
  offset += 1 + length;
  return text;
}

}  // namespace qvn
