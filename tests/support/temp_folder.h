#pragma once
// A temporary folder for one test, and whole-file helpers.
#include <filesystem>
#include <string>

#include "common/bytes.h"

namespace qvn::testing {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

void WriteBytes(const std::filesystem::path& path, BytesView bytes);
Bytes ReadBytes(const std::filesystem::path& path);

}  // namespace qvn::testing
