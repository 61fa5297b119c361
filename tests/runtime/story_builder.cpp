#include "story_builder.h"

#include <stdlib.h>

#include <fstream>
#include <sstream>

#include "format/index_record.h"
#include "format/markers.h"
#include "format/text_record.h"
#include "format/user_data_file.h"

namespace qvn::testing {

StoryBuilder& StoryBuilder::Block(const std::string& name, std::vector<Bytes> records) {
  blocks_.emplace_back(name, std::move(records));
  return *this;
}

StoryBuilder& StoryBuilder::Title(Bytes title) {
  title_ = std::move(title);
  return *this;
}

StoryBuilder& StoryBuilder::Variable(int n, Bytes label, Bytes value) {
  variables_[n - 1] = StringVariable{std::move(label), std::move(value)};
  return *this;
}

StoryBuilder& StoryBuilder::Version(int code) {
  version_ = code;
  return *this;
}

Bytes StoryBuilder::Body() const {
  Bytes body;
  for (const auto& [name, records] : blocks_)
    for (const Bytes& record : records) AppendTextRecord(body, record);
  for (const StringVariable& variable : variables_) {
    AppendTextRecord(body, variable.label);
    AppendTextRecord(body, variable.value);
  }
  AppendTextRecord(body, title_);
  return body;
}

Bytes StoryBuilder::Index() const {
  Bytes index;
  Bytes body;
  for (const auto& [name, records] : blocks_) {
    AppendIndexRecord(index, name, static_cast<std::int32_t>(body.size()));
    for (const Bytes& record : records) AppendTextRecord(body, record);
  }
  AppendIndexRecord(index, kVersionMarker, version_);
  AppendIndexRecord(index, kTrailerMarker, static_cast<std::int32_t>(body.size()));
  return index;
}

std::string StoryBuilder::Write(const std::filesystem::path& folder,
                                const std::string& base) const {
  std::string stem = (folder / base).string();
  WriteFile(stem + ".qvn", Body());
  WriteFile(stem + ".qvj", Index());
  for (int slot = 1; slot <= 4; ++slot)
    WriteFile(stem + ".Q0" + std::to_string(slot), FreshUserData(title_, variables_));
  return stem + ".qvn";
}

ScratchFolder::ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "qvn-test-XXXXXX").string();
  path_ = ::mkdtemp(pattern.data());
}

ScratchFolder::~ScratchFolder() {
  std::error_code ec;
  // Folders made read-only by a test are opened up again first.
  for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
  }
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteFile(const std::string& path, BytesView content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

}  // namespace qvn::testing
