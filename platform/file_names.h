#pragma once
// File names on Linux for stories that come from a system whose names ignore
// letter case and separate folders with backslashes.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/bytes.h"

namespace qvn {

namespace fs = std::filesystem;

// Story bytes naming a file: CP932 to UTF-8, and every backslash that is a
// character of its own becomes "/".
fs::path StoryNameToPath(BytesView cp932);

// The existing file: the exact name first, then, component by component, a
// match that ignores ASCII letter case. nullopt when nothing matches.
std::optional<fs::path> ResolveExisting(const fs::path& path);

// Where a file should be (re)written: an existing case-insensitive match in
// the folder is rewritten in place, never doubled; otherwise `path` itself.
fs::path ResolveForWrite(const fs::path& path);

// Every entry of the folder whose name equals the file name of `path`
// ignoring ASCII letter case.
std::vector<fs::path> CaseInsensitiveMatches(const fs::path& path);

// The path cut at the first "." of its file name (folders such as
// "my.stories" do not cut it).
std::string BasePath(const std::string& path);

// The (at most) two characters after the first "." of the file name.
std::string ExtensionProbe(const std::string& path);

// The folder of `path` with a trailing "/", or "" for a bare name.
std::string FolderOf(const std::string& path);

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace qvn
