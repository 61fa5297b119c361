#pragma once
// Where a program's settings file lives: beside the executable when that
// folder may be written, otherwise in the user's configuration folder.
#include <string>

namespace qvn {

struct SettingsFolders {
  std::string program_folder;  // with a trailing "/"
  std::string config_folder;   // $XDG_CONFIG_HOME/qvn/ or ~/.config/qvn/
  // False for an installed program: its settings are only in the
  // configuration folder, never beside it.
  bool program_folder_takes_settings = true;
};

// The configuration folder from the values of XDG_CONFIG_HOME and HOME (either
// may be null or empty); a relative XDG_CONFIG_HOME is ignored, as the base
// directory rules ask.
std::string ConfigFolderFrom(const char* xdg_config_home, const char* home);

// The folders of a program in `program_folder`; the program folder takes
// settings only when the running program lies in its build folder.
SettingsFolders SettingsFoldersFor(const std::string& program_folder);

// The file to read: the program folder's when the settings are written there
// or when it is the only one; the configuration folder's file when settings go
// there, so that changes saved in it are not hidden by a file the user cannot
// change. Empty when neither exists.
std::string SettingsPathForReading(const SettingsFolders& folders, const std::string& file_name);

// The file to write: in the program folder when it (and an existing file in
// it) may be written, otherwise in the configuration folder, which is created.
std::string SettingsPathForWriting(const SettingsFolders& folders, const std::string& file_name);

}  // namespace qvn
