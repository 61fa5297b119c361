#include "runtime/story_body.h"

#include "common/message_catalogue.h"
#include "platform/file_io.h"
#include "runtime/story_error.h"

namespace qvn {

void StoryBody::Open(const std::string& path) {
  Close();
  Bytes bytes;
  FileResult read = ReadWholeFile(path, bytes, kMaxStoryBodyBytes);
  if (!read.ok) throw StoryError(path, read.reason);
  Assign(std::move(bytes), path);
}

void StoryBody::Assign(Bytes bytes, std::string name) {
  bytes_ = std::move(bytes);
  name_ = std::move(name);
  position_ = 0;
  open_ = true;
}

void StoryBody::Close() {
  bytes_.clear();
  bytes_.shrink_to_fit();
  position_ = 0;
  open_ = false;
}

void StoryBody::SeekBlock(std::int32_t offset) {
  if (offset < 0 || static_cast<std::size_t>(offset) > bytes_.size()) {
    throw StoryError(name_, FormatMessage(Translate("StoryDamage",
                                                    "物語本体が壊れています: オフセット %1 "
                                                    "が本体の %2 バイトの外を指しています"),
                                          {std::to_string(offset), std::to_string(bytes_.size())}));
  }
  position_ = static_cast<std::size_t>(offset);
}

void StoryBody::ThrowPastTheEnd() const {
  throw StoryError(name_, FormatMessage(Translate("StoryDamage",
                                                  "物語本体が壊れています: オフセット %1 "
                                                  "のレコードが本体の終わりを越えています"),
                                        {std::to_string(position_)}));
}

}  // namespace qvn
