#include "platform/profile.h"

#include <limits>

#include "common/number_field.h"
#include "platform/file_names.h"

namespace qvn {

namespace {

constexpr std::size_t kMaxValueBytes = 1023;

bool IsBlank(char ch) {
  return ch == ' ' || ch == '\t';
}

BytesView Trim(BytesView text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The name of a "[name]" line, or nullopt for any other line.
std::optional<BytesView> SectionName(BytesView line) {
  BytesView text = Trim(line);
  if (text.empty() || text.front() != '[') return std::nullopt;
  std::size_t close = text.find(']');
  if (close == BytesView::npos) return std::nullopt;
  return Trim(text.substr(1, close - 1));
}

struct KeyLine {
  BytesView key;
  BytesView value;
};

std::optional<KeyLine> SplitKeyLine(BytesView line) {
  BytesView text = Trim(line);
  if (text.empty() || text.front() == ';' || text.front() == '[') return std::nullopt;
  std::size_t equals = text.find('=');
  if (equals == BytesView::npos) return std::nullopt;
  return KeyLine{Trim(text.substr(0, equals)), Trim(text.substr(equals + 1))};
}

Bytes WithoutLineBreaks(BytesView text) {
  Bytes out;
  for (char ch : text)
    if (ch != '\r' && ch != '\n') out.push_back(ch);
  return out;
}

}  // namespace

std::optional<std::int32_t> ParseProfileInteger(BytesView text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    if (text.size() - 2 > 8) return std::nullopt;
    std::uint32_t value = 0;
    for (char ch : text.substr(2)) {
      auto digit = HexDigit(ch);
      if (!digit) return std::nullopt;
      value = value * 16 + static_cast<std::uint32_t>(*digit);
    }
    return static_cast<std::int32_t>(value);
  }
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return std::nullopt;
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
    if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

Profile Profile::Parse(BytesView content) {
  Profile profile;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find_first_of("\r\n", start);
    if (end == BytesView::npos) end = content.size();
    profile.lines_.emplace_back(content.substr(start, end - start));
    if (end < content.size() && content[end] == '\r' && end + 1 < content.size() &&
        content[end + 1] == '\n')
      ++end;
    start = end + 1;
  }
  return profile;
}

std::optional<std::size_t> Profile::FindSection(BytesView section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    auto name = SectionName(lines_[i]);
    if (name && EqualsIgnoringAsciiCase(*name, Trim(section))) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> Profile::FindKey(std::size_t section_line, BytesView key) const {
  for (std::size_t i = section_line + 1; i < lines_.size(); ++i) {
    if (SectionName(lines_[i])) break;
    auto pair = SplitKeyLine(lines_[i]);
    if (pair && EqualsIgnoringAsciiCase(pair->key, Trim(key))) return i;
  }
  return std::nullopt;
}

std::optional<Bytes> Profile::GetString(BytesView section, BytesView key) const {
  auto section_line = FindSection(section);
  if (!section_line) return std::nullopt;
  auto key_line = FindKey(*section_line, key);
  if (!key_line) return std::nullopt;
  BytesView value = SplitKeyLine(lines_[*key_line])->value;
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return CutBytes(value, kMaxValueBytes);
}

std::optional<std::int32_t> Profile::GetInteger(BytesView section, BytesView key) const {
  auto text = GetString(section, key);
  if (!text) return std::nullopt;
  return ParseProfileInteger(*text);
}

void Profile::SetString(BytesView section, BytesView key, BytesView value) {
  Bytes clean_section = WithoutLineBreaks(Trim(section));
  Bytes clean_key = WithoutLineBreaks(Trim(key));
  Bytes line = clean_key + "=" + WithoutLineBreaks(value);
  auto section_line = FindSection(clean_section);
  if (!section_line) {
    lines_.push_back("[" + clean_section + "]");
    lines_.push_back(line);
    return;
  }
  if (auto key_line = FindKey(*section_line, clean_key)) {
    lines_[*key_line] = line;
    return;
  }
  // After the section's last non-empty line, so a blank line that separates
  // it from the next section stays where it is.
  std::size_t insert_at = *section_line + 1;
  for (std::size_t i = *section_line + 1; i < lines_.size() && !SectionName(lines_[i]); ++i)
    if (!Trim(lines_[i]).empty()) insert_at = i + 1;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at), line);
}

void Profile::RemoveKey(BytesView section, BytesView key) {
  auto section_line = FindSection(section);
  if (!section_line) return;
  while (auto key_line = FindKey(*section_line, key))
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*key_line));
}

std::vector<Bytes> Profile::Keys(BytesView section) const {
  std::vector<Bytes> keys;
  auto section_line = FindSection(section);
  if (!section_line) return keys;
  for (std::size_t i = *section_line + 1; i < lines_.size() && !SectionName(lines_[i]); ++i)
    if (auto pair = SplitKeyLine(lines_[i])) keys.emplace_back(pair->key);
  return keys;
}

Bytes Profile::Serialize() const {
  Bytes out;
  for (const Bytes& line : lines_) {
    out += line;
    out += "\r\n";
  }
  return out;
}

Profile ReadProfileFile(const std::filesystem::path& path) {
  Bytes content;
  if (!ReadOwnFile(path, content, kMaxSettingsFileBytes).ok) return Profile{};
  return Profile::Parse(content);
}

std::optional<Profile> ReadProfileForUpdate(const std::filesystem::path& path,
                                            std::string& reason) {
  // A link that leads nowhere readable counts as a file that exists.
  std::error_code ec;
  if (path.empty() || !std::filesystem::exists(std::filesystem::symlink_status(path, ec)))
    return Profile{};
  Bytes content;
  // The same bound and the same links as at start: a file refused then must
  // not be rewritten now with only the defaults in it.
  FileResult read = ReadOwnFile(path, content, kMaxSettingsFileBytes);
  if (!read.ok) {
    reason = read.reason;
    return std::nullopt;
  }
  return Profile::Parse(content);
}

FileResult WriteProfileFile(const std::filesystem::path& path, const Profile& profile) {
  return WriteFileAtomic(path, profile.Serialize());
}

}  // namespace qvn
