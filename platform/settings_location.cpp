#include "platform/settings_location.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include <filesystem>
#include <optional>
#include <system_error>

#include "platform/file_names.h"
#include "platform/program_folder.h"

namespace qvn {

namespace {

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

// A file or folder marked read-only counts as such even for the superuser,
// whom access() would let write anyway.
bool Writable(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return false;
  return (info.st_mode & 0222) != 0 && ::access(path.c_str(), W_OK) == 0;
}

// The existing file of that name in the folder, ignoring letter case.
std::optional<std::string> ExistingIn(const std::string& folder, const std::string& file_name) {
  if (folder.empty()) return std::nullopt;
  // A link whose target cannot be reached (a drive not mounted) is still the
  // user's file: it is found, so that it is reported rather than replaced.
  std::error_code ec;
  if (std::filesystem::is_symlink(std::filesystem::symlink_status(folder + file_name, ec)))
    return folder + file_name;
  auto found = ResolveExisting(std::filesystem::path(folder + file_name));
  if (!found) return std::nullopt;
  return found->string();
}

bool ProgramFolderTakesSettings(const SettingsFolders& folders, const std::string& file_name) {
  if (!folders.program_folder_takes_settings || folders.program_folder.empty() ||
      !Writable(folders.program_folder))
    return false;
  auto existing = ExistingIn(folders.program_folder, file_name);
  return !existing || Writable(*existing);
}

}  // namespace

std::string ConfigFolderFrom(const char* xdg_config_home, const char* home) {
  if (xdg_config_home && xdg_config_home[0] == '/') return WithSlash(xdg_config_home) + "qvn/";
  if (home && home[0] != '\0') return WithSlash(home) + ".config/qvn/";
  return std::string();
}

SettingsFolders SettingsFoldersFor(const std::string& program_folder) {
  return SettingsFolders{WithSlash(program_folder),
                         ConfigFolderFrom(::getenv("XDG_CONFIG_HOME"), ::getenv("HOME")),
                         RunFromBuildFolder()};
}

std::string SettingsPathForReading(const SettingsFolders& folders, const std::string& file_name) {
  if (!folders.program_folder_takes_settings)
    return ExistingIn(folders.config_folder, file_name).value_or(std::string());
  auto beside = ExistingIn(folders.program_folder, file_name);
  if (ProgramFolderTakesSettings(folders, file_name)) return beside.value_or(std::string());
  if (auto configured = ExistingIn(folders.config_folder, file_name)) return *configured;
  return beside.value_or(std::string());
}

std::string SettingsPathForWriting(const SettingsFolders& folders, const std::string& file_name) {
  if (ProgramFolderTakesSettings(folders, file_name)) {
    auto existing = ExistingIn(folders.program_folder, file_name);
    return existing.value_or(folders.program_folder + file_name);
  }
  if (folders.config_folder.empty())
    return folders.program_folder_takes_settings ? folders.program_folder + file_name
                                                 : std::string();
  std::error_code ec;
  std::filesystem::create_directories(folders.config_folder, ec);
  auto existing = ExistingIn(folders.config_folder, file_name);
  return existing.value_or(folders.config_folder + file_name);
}

}  // namespace qvn
