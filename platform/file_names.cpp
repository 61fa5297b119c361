#include "platform/file_names.h"

#include "common/encoding.h"
#include "common/sjis.h"

namespace qvn {

namespace {

char FoldAscii(char ch) { return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch + 32) : ch; }

std::size_t FileNameStart(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? 0 : slash + 1;
}

std::optional<fs::path> FindInFolder(const fs::path& folder, const std::string& name) {
  std::error_code ec;
  fs::path exact = folder / name;
  if (fs::symlink_status(exact, ec).type() != fs::file_type::not_found && !ec) return exact;
  fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec);
  if (ec) return std::nullopt;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) return std::nullopt;
    std::string entry = it->path().filename().string();
    if (EqualsIgnoringAsciiCase(entry, name)) return folder / entry;
  }
  return std::nullopt;
}

}  // namespace

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  return true;
}

fs::path StoryNameToPath(BytesView cp932) {
  Bytes with_slashes(cp932);
  for (std::size_t i = FindSingleByte(with_slashes, '\\'); i != Bytes::npos;
       i = FindSingleByte(with_slashes, '\\', i + 1)) {
    with_slashes[i] = '/';
  }
  return fs::path(Cp932ToUtf8(with_slashes));
}

std::optional<fs::path> ResolveExisting(const fs::path& path) {
  std::error_code ec;
  if (fs::exists(path, ec)) return path;
  fs::path resolved = path.root_path();
  fs::path relative = path.relative_path();
  bool first = true;
  for (const fs::path& part : relative) {
    std::string name = part.string();
    if (name.empty() || name == ".") continue;
    if (name == "..") {
      resolved /= name;
      continue;
    }
    fs::path folder = (first && resolved.empty()) ? fs::path() : resolved;
    auto found = FindInFolder(folder, name);
    if (!found) return std::nullopt;
    resolved = *found;
    first = false;
  }
  if (resolved.empty() || !fs::exists(resolved, ec)) return std::nullopt;
  return resolved;
}

fs::path ResolveForWrite(const fs::path& path) {
  auto found = FindInFolder(path.parent_path(), path.filename().string());
  return found ? *found : path;
}

std::vector<fs::path> CaseInsensitiveMatches(const fs::path& path) {
  std::vector<fs::path> matches;
  std::error_code ec;
  fs::path folder = path.parent_path();
  std::string name = path.filename().string();
  fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec);
  if (ec) return matches;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    std::string entry = it->path().filename().string();
    if (EqualsIgnoringAsciiCase(entry, name)) matches.push_back(folder / entry);
  }
  return matches;
}

std::string BasePath(const std::string& path) {
  std::size_t dot = path.find('.', FileNameStart(path));
  return dot == std::string::npos ? path : path.substr(0, dot);
}

std::string ExtensionProbe(const std::string& path) {
  std::size_t dot = path.find('.', FileNameStart(path));
  return dot == std::string::npos ? std::string() : path.substr(dot + 1, 2);
}

std::string FolderOf(const std::string& path) { return path.substr(0, FileNameStart(path)); }

}  // namespace qvn
