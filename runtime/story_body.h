#pragma once
// The story body of an open story and the reader that yields one text record
// at a time from a byte offset. The body is read whole when the story opens,
// so a later change of the file cannot disturb a story being played.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/bytes.h"

namespace qvn {

class StoryBody {
 public:
  // Reads the file; throws StoryError when it cannot be read.
  void Open(const std::string& path);
  // For bodies held in memory (tests, fuzzing).
  void Assign(Bytes bytes, std::string name);
  void Close();
  bool IsOpen() const { return open_; }

  // Positions the reader; throws StoryError for an offset outside the body.
  void SeekBlock(std::int32_t offset);
  // The next record; throws StoryError when it runs past the end of the body.
  // The view stays valid until the body is closed or replaced. Inline: the
  // explorer reads a few hundred million records.
  BytesView ReadRecord() {
    if (position_ < bytes_.size()) {
      std::size_t length = static_cast<unsigned char>(bytes_[position_]);
      if (bytes_.size() - position_ - 1 >= length) {
        BytesView record(bytes_.data() + position_ + 1, length);
        position_ += 1 + length;
        return record;
      }
    }
    ThrowPastTheEnd();
  }

  std::size_t Size() const { return bytes_.size(); }
  BytesView View() const { return bytes_; }
  std::size_t Position() const { return position_; }

 private:
  [[noreturn]] void ThrowPastTheEnd() const;

  Bytes bytes_;
  std::string name_;  // the file, for error reasons
  std::size_t position_ = 0;
  bool open_ = false;
};

}  // namespace qvn
