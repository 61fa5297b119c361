#include "runtime/story_location.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/file_names.h"

namespace qvn {

namespace {

constexpr std::size_t kMaxFallbackNameBytes = 200;

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder.push_back('/');
  return folder;
}

}  // namespace

void StoryLocation::SetStory(const std::string& story_path) {
  std::error_code ec;
  std::filesystem::path absolute = std::filesystem::absolute(story_path, ec);
  std::string path = ec ? story_path : absolute.lexically_normal().string();
  body_file.clear();
  std::string file_name = path.substr(FolderOf(path).size());
  std::size_t dot = file_name.find('.');
  bool names_body =
      dot != std::string::npos && EqualsIgnoringAsciiCase(file_name.substr(dot), ".qvn");
  std::optional<fs::path> body = ResolveExisting(names_body ? path : BasePath(path) + ".qvn");
  if (body) {
    std::filesystem::path real = std::filesystem::canonical(*body, ec);
    if (!ec && std::filesystem::is_regular_file(real, ec)) {
      path = real.string();
      body_file = path;
    }
  }
  story_folder = FolderOf(path);
  base_name = BasePath(path).substr(story_folder.size());
}

std::string StoryLocation::Identity() const {
  if (body_file.empty()) return std::string();
  std::error_code ec;
  std::filesystem::path index = std::filesystem::canonical(StoryFile(".QVJ"), ec);
  if (ec || FolderOf(index.string()) != story_folder) return std::string();
  return body_file;
}

std::string StoryLocation::StoryFallbackFolder() const {
  // The base name and a short hash of the story folder's real path, so that
  // the folder is recognisable and stays the same from open to open.
  std::error_code ec;
  std::filesystem::path real = std::filesystem::weakly_canonical(story_folder, ec);
  std::string folder = ec ? story_folder : real.string();
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (unsigned char ch : folder) {
    hash ^= ch;
    hash *= 1099511628211ull;
  }
  std::string name = base_name;
  // Room for the hash in a file name; never cut inside a UTF-8 character.
  std::size_t cut = std::min<std::size_t>(name.size(), kMaxFallbackNameBytes);
  while (cut > 0 && cut < name.size() && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
    --cut;
  name.resize(cut);
  char suffix[10];
  std::snprintf(suffix, sizeof suffix, "-%08x", static_cast<unsigned>(hash ^ (hash >> 32)));
  return WithSlash(fallback_folder) + name + suffix + "/";
}

std::string StoryLocation::StoryFile(const std::string& extension) const {
  if (!body_file.empty() && EqualsIgnoringAsciiCase(extension, ".qvn")) return body_file;
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
