#pragma once
// The block index of an open story: the records of its index file in file
// order (numbered from 1), and the lookup of a block by name.
#include <cstdint>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "format/index_record.h"

namespace qvn {

// 8000 blocks and the two markers; a password record after them is not read.
inline constexpr std::size_t kMaxIndexRecords = 8002;
// What is read of an index file at most: the records above and the password
// record. A longer file is read only that far.
inline constexpr std::size_t kMaxIndexFileRecords = kMaxIndexRecords + 1;

class BlockIndex {
 public:
  // Replaces the index by the records held in `file_bytes`. Returns an empty
  // string on success, else the reason the bytes are not an index (the
  // index is then empty). Records after the 8002nd are ignored.
  std::string Assign(BytesView file_bytes);

  void Clear();

  // The value of the first record whose name equals `name` cut to 8 bytes
  // (letter case distinguished), -1 when none does.
  std::int32_t FindBlock(BytesView name) const;
  // The number of that record (from 1), 0 when none matches.
  std::size_t FindRecord(BytesView name) const;

  std::size_t Count() const { return records_.size(); }
  // Record `number`, 1-based; requires 1 <= number <= Count().
  const IndexRecord& Record(std::size_t number) const { return records_[number - 1]; }

 private:
  std::vector<IndexRecord> records_;
  // Name to the value of its first record: lookups keep the answer of a scan
  // from record 1 without scanning 8002 entries. Names have at most 8 bytes,
  // so a name is one word and the table is flat (open addressing).
  struct Slot {
    std::uint64_t name = 0;
    std::int32_t value = 0;
    std::uint8_t length = 0;
    bool used = false;
    std::uint16_t record = 0;
  };
  std::vector<Slot> first_match_;
  const Slot* FindSlot(BytesView name) const;
};

// Reads the index file at `path` into `index`. Throws StoryError when the
// file cannot be read, is not a regular file or its size is not a whole
// number of records.
void LoadIndex(const std::string& path, BlockIndex& index);

}  // namespace qvn
