#pragma once
// The six files a compile writes beside its source.
#include <filesystem>
#include <string>

#include "common/bytes.h"

namespace qvn {

class OutputFiles {
 public:
  explicit OutputFiles(std::string base_path) : base_path_(std::move(base_path)) {}
  ~OutputFiles();
  OutputFiles(const OutputFiles&) = delete;
  OutputFiles& operator=(const OutputFiles&) = delete;

  // Creates the story body and index empty (an existing file of the same name
  // in another letter case is replaced in place). False when either fails.
  bool CreateStoryFiles();
  // Writes and closes both; false on any failure.
  bool WriteStoryFiles(BytesView body, BytesView index);
  // The four fresh user data files; `reason` tells the first failure.
  bool WriteUserDataFiles(BytesView content, std::string& reason);
  // Closes the story files and removes all six outputs, whatever their case.
  void RemoveAll();

 private:
  std::string base_path_;
  int body_fd_ = -1;
  int index_fd_ = -1;
  void Close();
};

}  // namespace qvn
