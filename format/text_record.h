#pragma once
// Text record: one length byte and that many bytes, the unit of the story body.
#include <cstddef>
#include <optional>

#include "common/bytes.h"

namespace qvn {

// Appends `text` (cut to 255 bytes) as one record.
void AppendTextRecord(Bytes& out, BytesView text);

// Reads the record at `offset` of `body` and moves `offset` past it; nullopt
// when the record or its length byte runs past the end.
std::optional<BytesView> ReadTextRecord(BytesView body, std::size_t& offset);

}  // namespace qvn
