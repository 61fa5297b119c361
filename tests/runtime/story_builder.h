#pragma once
// Compiled stories written by hand for the runtime tests: blocks of records,
// the index with its markers, the trailer and four fresh slots.
#include <filesystem>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "format/story_variables.h"

namespace qvn::testing {

class StoryBuilder {
 public:
  StoryBuilder& Block(const std::string& name, std::vector<Bytes> records);
  StoryBuilder& Title(Bytes title);
  StoryBuilder& Variable(int n, Bytes label, Bytes value);
  StoryBuilder& Version(int code);

  Bytes Body() const;
  Bytes Index() const;
  // Writes <base>.qvn, <base>.qvj and <base>.Q01 to .Q04 into `folder`;
  // returns the path of the story body.
  std::string Write(const std::filesystem::path& folder, const std::string& base) const;

 private:
  std::vector<std::pair<std::string, std::vector<Bytes>>> blocks_;
  Bytes title_ = "Story";
  StringVariables variables_;
  int version_ = 10000;
};

// A fresh folder under the system's temporary folder, removed at the end.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  const std::filesystem::path& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

Bytes ReadFile(const std::string& path);
void WriteFile(const std::string& path, BytesView content);

}  // namespace qvn::testing
