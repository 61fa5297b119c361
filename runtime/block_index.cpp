#include "runtime/block_index.h"

#include "format/markers.h"
#include "platform/file_io.h"
#include "runtime/story_error.h"

namespace qvn {

std::string BlockIndex::Assign(BytesView file_bytes) {
  Clear();
  if (file_bytes.size() % kIndexRecordSize != 0) {
    return "the block index is damaged: its size (" + std::to_string(file_bytes.size()) +
           " bytes) is not a multiple of " + std::to_string(kIndexRecordSize);
  }
  std::size_t count = std::min(file_bytes.size() / kIndexRecordSize, kMaxIndexRecords);
  records_.reserve(count);
  first_match_.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    IndexRecord record = DecodeIndexRecord(file_bytes.data() + i * kIndexRecordSize);
    records_.push_back(record);
    // A length byte above 8 can never equal a key cut to 8 bytes.
    if (record.length <= kMaxBlockNameBytes)
      first_match_.try_emplace(std::string(record.Name()), record.value);
  }
  return {};
}

void BlockIndex::Clear() {
  records_.clear();
  first_match_.clear();
}

std::int32_t BlockIndex::FindBlock(BytesView name) const {
  auto found = first_match_.find(std::string(name.substr(0, kMaxBlockNameBytes)));
  return found == first_match_.end() ? -1 : found->second;
}

void LoadIndex(const std::string& path, BlockIndex& index) {
  index.Clear();
  Bytes bytes;
  FileResult read = ReadWholeFile(path, bytes);
  if (!read.ok) throw StoryError(path, read.reason);
  std::string damage = index.Assign(bytes);
  if (!damage.empty()) throw StoryError(path, damage);
}

}  // namespace qvn
