#pragma once
// A failure that ends the operation in progress with the error box: a story
// file or user data file that cannot be read, or bytes that cannot be
// converted. Thrown and caught inside the runtime only; it never crosses the
// host interface.
#include <stdexcept>
#include <string>

namespace qvn {

class StoryError : public std::runtime_error {
 public:
  // `file` and `reason` are UTF-8; `file` may be empty.
  StoryError(std::string file, const std::string& reason)
      : std::runtime_error(reason), file_(std::move(file)) {}
  const std::string& File() const { return file_; }

 private:
  std::string file_;
};

}  // namespace qvn
