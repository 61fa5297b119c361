#pragma once
// Which programs a story may start: none at all when the reader switched them
// off; without asking, those inside the folder of a story the reader always
// allows; any other only when the reader agrees to it, each time.
#include <string>
#include <vector>

namespace qvn {

// Stories remembered as always allowed, at most; beyond that "always" acts as
// "this time".
inline constexpr std::size_t kMaxAllowedStories = 1000;

struct ProgramPermissions {
  bool programs_off = false;
  std::vector<std::string> allowed_stories;  // story files' full paths

  bool Allows(const std::string& story_file) const;
  // False when the path cannot be kept in the settings file as it is (a line
  // break, blanks at either end, too long) or the list is full.
  bool Allow(const std::string& story_file);
  void Withdraw(const std::string& story_file);
};

// Whether a path survives a settings file unchanged, so that it can never come
// back as the name of another story.
bool StorablePath(const std::string& path);

}  // namespace qvn
