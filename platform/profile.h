#pragma once
// Profile (INI) files: "[section]" headers and "key=value" lines whose names
// compare ignoring ASCII letter case and whose values are CP932 bytes. A
// rewrite keeps every line it does not change, so keys and sections that other
// programs or versions put there survive.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "platform/file_io.h"

namespace qvn {

class Profile {
 public:
  // Any bytes parse: lines that are neither headers nor "key=value" are kept
  // as they are and otherwise ignored.
  static Profile Parse(BytesView content);

  // The value of the first such key in the first such section, blanks around
  // it removed and one pair of enclosing quotes dropped; at most 1023 bytes.
  std::optional<Bytes> GetString(BytesView section, BytesView key) const;

  // Decimal, or hexadecimal after "0x"/"0X"; nullopt when missing or unreadable.
  std::optional<std::int32_t> GetInteger(BytesView section, BytesView key) const;

  // Replaces the value in place, or adds the key at the end of its section, or
  // adds the section at the end. Line breaks inside names or values are
  // dropped, since they would split the line.
  void SetString(BytesView section, BytesView key, BytesView value);

  // Removes every line of that key in that section (no such line: nothing).
  void RemoveKey(BytesView section, BytesView key);

  // The keys of the first such section, in file order, as written there.
  std::vector<Bytes> Keys(BytesView section) const;

  // CR LF after every line.
  Bytes Serialize() const;

 private:
  std::optional<std::size_t> FindSection(BytesView section) const;
  std::optional<std::size_t> FindKey(std::size_t section_line, BytesView key) const;

  std::vector<Bytes> lines_;
};

// A missing or unreadable file reads as an empty profile.
Profile ReadProfileFile(const std::filesystem::path& path);

// The file to be rewritten with new values. A missing file (or an empty path)
// reads as an empty profile; a file that exists but cannot be read gives
// nullopt and the system's reason in `reason`, so that it is never replaced
// by a file without its keys.
std::optional<Profile> ReadProfileForUpdate(const std::filesystem::path& path, std::string& reason);

// Atomic: a failed write leaves the old file as it was.
FileResult WriteProfileFile(const std::filesystem::path& path, const Profile& profile);

// The integer rule of profile values: decimal with an optional sign, or
// "0x"/"0X" followed by hexadecimal digits.
std::optional<std::int32_t> ParseProfileInteger(BytesView text);

}  // namespace qvn
