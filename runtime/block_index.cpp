#include "runtime/block_index.h"

#include "format/markers.h"
#include "platform/file_io.h"
#include "runtime/story_error.h"

namespace qvn {

namespace {

std::string SizeDamage(std::uint64_t size) {
  if (size % kIndexRecordSize == 0) return {};
  return "the block index is damaged: its size (" + std::to_string(size) +
         " bytes) is not a multiple of " + std::to_string(kIndexRecordSize);
}

}  // namespace

std::string BlockIndex::Assign(BytesView file_bytes) {
  Clear();
  if (std::string damage = SizeDamage(file_bytes.size()); !damage.empty()) return damage;
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
  std::uint64_t size = 0;
  FileResult read = ReadFileHead(path, kMaxIndexFileRecords * kIndexRecordSize, bytes, size);
  if (!read.ok) throw StoryError(path, read.reason);
  std::string damage = SizeDamage(size);
  if (damage.empty()) damage = index.Assign(bytes);
  if (!damage.empty()) throw StoryError(path, damage);
}

}  // namespace qvn
