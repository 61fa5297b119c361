#include "runtime/story_location.h"

#include <cstdlib>
#include <filesystem>

#include "platform/file_names.h"

namespace qvn {

namespace {

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder.push_back('/');
  return folder;
}

}  // namespace

void StoryLocation::SetStory(const std::string& story_path) {
  std::error_code ec;
  std::filesystem::path absolute = std::filesystem::absolute(story_path, ec);
  std::string path = ec ? story_path : absolute.lexically_normal().string();
  story_folder = FolderOf(path);
  base_name = BasePath(path).substr(story_folder.size());
}

std::string StoryLocation::StoryFile(const std::string& extension) const {
  return ExistingOrAsNamed(story_folder + base_name + extension);
}

std::string StoryLocation::UserDataFile(const std::string& extension) const {
  return ExistingOrAsNamed(user_data_folder + base_name + extension);
}

std::string ExistingOrAsNamed(const std::string& path) {
  std::optional<fs::path> found = ResolveExisting(path);
  return found ? found->string() : path;
}

bool FileExists(const std::string& path) {
  return ResolveExisting(path).has_value();
}

std::string DefaultFallbackFolder() {
  const char* data_home = std::getenv("XDG_DATA_HOME");
  if (data_home && data_home[0] == '/') return WithSlash(data_home) + "qvn/";
  const char* home = std::getenv("HOME");
  return WithSlash(home && home[0] ? home : "/tmp") + ".local/share/qvn/";
}

}  // namespace qvn
