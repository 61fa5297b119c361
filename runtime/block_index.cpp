#include "runtime/block_index.h"

#include <cstring>

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

std::uint64_t NameWord(BytesView name) {
  std::uint64_t word = 0;
  std::memcpy(&word, name.data(), name.size());
  return word;
}

std::size_t HomeSlot(std::uint64_t word, std::size_t length, std::size_t mask) {
  std::uint64_t x = word ^ (length * 0x9e3779b97f4a7c15ULL);
  x ^= x >> 31;
  x *= 0xbf58476d1ce4e5b9ULL;
  x ^= x >> 29;
  return static_cast<std::size_t>(x) & mask;
}

}  // namespace

std::string BlockIndex::Assign(BytesView file_bytes) {
  Clear();
  if (std::string damage = SizeDamage(file_bytes.size()); !damage.empty()) return damage;
  std::size_t count = std::min(file_bytes.size() / kIndexRecordSize, kMaxIndexRecords);
  records_.reserve(count);
  std::size_t slots = 16;
  while (slots < 2 * count) slots *= 2;
  first_match_.assign(slots, Slot{});
  for (std::size_t i = 0; i < count; ++i) {
    IndexRecord record = DecodeIndexRecord(file_bytes.data() + i * kIndexRecordSize);
    // No compiler writes a name longer than 8 bytes: the file is damaged, and
    // playing it would only jump nowhere.
    if (record.length > kMaxBlockNameBytes) {
      Clear();
      return "the block index is damaged: record " + std::to_string(i + 1) +
             " gives its name a length of " + std::to_string(record.length) + " bytes";
    }
    records_.push_back(record);
    std::uint64_t word = NameWord(record.Name());
    for (std::size_t at = HomeSlot(word, record.length, slots - 1);; at = (at + 1) & (slots - 1)) {
      Slot& slot = first_match_[at];
      if (!slot.used) {
        slot = Slot{word, record.value, record.length, true, static_cast<std::uint16_t>(i + 1)};
        break;
      }
      if (slot.name == word && slot.length == record.length) break;  // the first one stays
    }
  }
  return {};
}

void BlockIndex::Clear() {
  records_.clear();
  first_match_.clear();
}

std::int32_t BlockIndex::FindBlock(BytesView name) const {
  const Slot* slot = FindSlot(name);
  return slot ? slot->value : -1;
}

std::size_t BlockIndex::FindRecord(BytesView name) const {
  const Slot* slot = FindSlot(name);
  return slot ? slot->record : 0;
}

const BlockIndex::Slot* BlockIndex::FindSlot(BytesView name) const {
  if (first_match_.empty()) return nullptr;
  BytesView key = name.substr(0, kMaxBlockNameBytes);
  std::uint64_t word = NameWord(key);
  std::size_t mask = first_match_.size() - 1;
  for (std::size_t at = HomeSlot(word, key.size(), mask);; at = (at + 1) & mask) {
    const Slot& slot = first_match_[at];
    if (!slot.used) return nullptr;
    if (slot.name == word && slot.length == key.size()) return &slot;
  }
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
