#pragma once
// The six files a compile writes beside its source.
#include <filesystem>
#include <string>

#include "common/bytes.h"
#include "platform/file_io.h"

namespace qvn {

class OutputFiles {
 public:
  explicit OutputFiles(std::string base_path) : base_path_(std::move(base_path)) {}
  OutputFiles(const OutputFiles&) = delete;
  OutputFiles& operator=(const OutputFiles&) = delete;

  // Starts the story body and index as temporary files beside them (an
  // existing file of the same name in another letter case is the one later
  // replaced). False when either cannot be, or its place holds no regular
  // file or a link out of the folder.
  bool CreateStoryFiles();
  // Writes both and renames them over the old files; false on any failure.
  bool WriteStoryFiles(BytesView body, BytesView index);
  // The four fresh user data files; `reason` tells the first failure.
  bool WriteUserDataFiles(BytesView content, std::string& reason);
  // Drops the unfinished story files and removes all six outputs, whatever their case.
  void RemoveAll();

 private:
  std::string base_path_;
  AtomicFile body_;
  AtomicFile index_;
};

}  // namespace qvn
