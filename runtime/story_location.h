#pragma once
// Where the files of a story are: the story folder and base name, the
// user-data folder chosen at open, and the active slot.
#include <string>

#include "common/bytes.h"

namespace qvn {

struct StoryLocation {
  std::string story_folder;      // ends with "/"; empty until a story is named
  std::string base_name;         // the file name cut at its first "."
  std::string body_file;         // the body's real path once found; else empty
  std::string program_folder;    // ends with "/"
  std::string fallback_folder;   // holds a folder per story (StoryFallbackFolder) for
                                 // user data when the program folder is read-only
  std::string user_data_folder;  // ends with "/"; chosen by OpenStory
  int active_slot = 1;           // 1 to 4

  // Names the story by its compiled file (any extension). The story is
  // resolved once: the real path of its body (the file named when that is a
  // body, else the body of that base name) gives its folder, base name and
  // identity, so that links in the folder opened never mix two stories.
  void SetStory(const std::string& story_path);

  // The name under which the reader's "always" is kept: the body's real
  // path; empty (never "always") when the body is missing or the index lies
  // in another folder than the body once links are resolved.
  std::string Identity() const;
  bool HasStory() const { return !base_name.empty(); }

  // The existing file of that name ignoring letter case, else the name itself
  // (whose opening then fails with the system's reason).
  std::string StoryFile(const std::string& extension) const;
  std::string UserDataFile(const std::string& extension) const;
  std::string SlotFile(int slot) const { return UserDataFile(SlotExtension(slot)); }
  std::string TempSaveFile() const { return UserDataFile(kTempSaveExtension); }

  // The user-data folder of this story under the fall-back folder: one for
  // each story folder and base name, so that stories of one base name never
  // share slots. Ends with "/".
  std::string StoryFallbackFolder() const;

  static std::string SlotExtension(int slot) { return ".Q0" + std::to_string(slot); }
  static constexpr const char* kTempSaveExtension = ".QV$";
};

// An existing file of that name ignoring letter case, else `path` itself.
std::string ExistingOrAsNamed(const std::string& path);
bool FileExists(const std::string& path);

// $XDG_DATA_HOME/qvn/, by default ~/.local/share/qvn/.
std::string DefaultFallbackFolder();

}  // namespace qvn
