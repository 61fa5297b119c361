#include "platform/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

#include "common/message_catalogue.h"

namespace qvn {

namespace {

namespace fs = std::filesystem;

// The random letters and digits that end a temporary file's name.
constexpr std::size_t kTemporarySuffixBytes = 6;
// The temporary name must fit where the file's own name fits.
constexpr std::size_t kMaxTemporaryStemBytes = 200;
constexpr int kMaxLinkHops = 40;

FileResult Success() {
  return FileResult{true, {}};
}
FileResult Failure(int error) {
  return FileResult{false, std::strerror(error)};
}
FileResult Failure(std::string reason) {
  return FileResult{false, std::move(reason)};
}

struct FdCloser {
  int fd = -1;
  ~FdCloser() {
    if (fd >= 0) ::close(fd);
  }
};

bool WriteAll(int fd, BytesView content) {
  const char* data = content.data();
  std::size_t left = content.size();
  while (left > 0) {
    ssize_t n = ::write(fd, data, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

// The refusals are worded as the system words its own reasons, in the
// reader's language.
std::string NotRegular() {
  return Translate("FileRefusal", "通常のファイルではありません");
}

// Why a file of this type and size is not read; empty when it may be.
std::string Refusal(const struct stat& info, std::size_t max_bytes) {
  if (S_ISDIR(info.st_mode)) return std::strerror(EISDIR);
  if (S_ISFIFO(info.st_mode))
    return Translate("FileRefusal", "通常のファイルではなく FIFO (名前付きパイプ) です");
  if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode))
    return Translate("FileRefusal", "通常のファイルではなくデバイスです");
  if (S_ISSOCK(info.st_mode)) return Translate("FileRefusal", "通常のファイルではなくソケットです");
  if (!S_ISREG(info.st_mode)) return NotRegular();
  if (static_cast<std::uint64_t>(info.st_size) > max_bytes) {
    return FormatMessage(Translate("FileRefusal",
                                   "ファイルが大きすぎます: %1 バイトあり、この種類のファイルで"
                                   "読む %2 バイトを超えています"),
                         {std::to_string(info.st_size), std::to_string(max_bytes)});
  }
  return {};
}

// Opens a regular file for reading. It is looked at before it is opened (so
// that no device is opened at all) and again after (it may have been
// swapped); a FIFO that slips through is opened without blocking.
FileResult OpenRegular(const fs::path& path, std::size_t max_bytes, FdCloser& file,
                       std::uint64_t& size) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return Failure(errno);
  if (std::string reason = Refusal(info, max_bytes); !reason.empty()) return Failure(reason);
  file.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (file.fd < 0) return Failure(errno);
  if (::fstat(file.fd, &info) != 0) return Failure(errno);
  if (std::string reason = Refusal(info, max_bytes); !reason.empty()) return Failure(reason);
  int flags = ::fcntl(file.fd, F_GETFL);
  if (flags >= 0) ::fcntl(file.fd, F_SETFL, flags & ~O_NONBLOCK);
  size = static_cast<std::uint64_t>(info.st_size);
  return Success();
}

// Reads until the end of the file or until `out` holds `limit` bytes; sets
// `more` when bytes remain after that.
FileResult ReadUpTo(int fd, std::size_t limit, Bytes& out, bool& more) {
  char buffer[65536];
  more = false;
  for (;;) {
    std::size_t room = limit - out.size();
    // One byte beyond the limit tells a file that grew from one that ended.
    std::size_t ask = std::min(sizeof buffer, room + 1);
    ssize_t n = ::read(fd, buffer, ask);
    if (n < 0) {
      if (errno == EINTR) continue;
      return Failure(errno);
    }
    if (n == 0) return Success();
    std::size_t got = static_cast<std::size_t>(n);
    if (got > room) {
      out.append(buffer, room);
      more = true;
      return Success();
    }
    out.append(buffer, got);
  }
}

std::string TemporaryPrefix(const fs::path& path) {
  std::string name = path.filename().string();
  if (name.size() > kMaxTemporaryStemBytes) name.resize(kMaxTemporaryStemBytes);
  return "." + name + ".";
}

bool IsTemporaryName(std::string_view name, std::string_view prefix) {
  if (name.size() != prefix.size() + kTemporarySuffixBytes || !name.starts_with(prefix))
    return false;
  for (char ch : name.substr(prefix.size())) {
    bool alnum = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9');
    if (!alnum) return false;
  }
  return true;
}

// The file a rewrite of `requested` replaces: the link's target when it is a
// symbolic link the policy lets us follow.
FileResult ResolveWriteTarget(const fs::path& requested, LinkPolicy links, fs::path& target) {
  target = requested;
  struct stat info {};
  if (::lstat(requested.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return Success();
  // Followed by hand, so that a link to a missing file is judged by where it
  // points as well.
  fs::path resolved = requested;
  for (int hops = 0;; ++hops) {
    if (hops == kMaxLinkHops) return Failure(ELOOP);
    std::error_code ec;
    fs::path next = fs::read_symlink(resolved, ec);
    if (ec) return Failure(ec.value());
    resolved = next.is_absolute() ? next : resolved.parent_path() / next;
    if (::lstat(resolved.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) break;
  }
  std::error_code ec;
  fs::path parent = resolved.parent_path();
  resolved =
      fs::weakly_canonical(parent.empty() ? fs::path(".") : parent, ec) / resolved.filename();
  if (ec) return Failure(ec.value());
  if (links == LinkPolicy::kSameFolderOnly) {
    fs::path folder = requested.parent_path();
    fs::path real_folder = fs::weakly_canonical(folder.empty() ? fs::path(".") : folder, ec);
    if (ec || resolved.parent_path() != real_folder)
      return Failure(Translate("FileRefusal",
                               "フォルダーの外のファイルを指すシンボリックリンクを通しては"
                               "書き込みません"));
  }
  target = resolved;
  return Success();
}

void SyncFolder(const fs::path& folder) {
  FdCloser dir{::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
  if (dir.fd >= 0) ::fsync(dir.fd);
}

// The rest of an opened regular file of `size` bytes, which must not grow
// beyond `max_bytes` meanwhile; `out` is left empty on failure.
FileResult ReadOpenedWhole(int fd, std::uint64_t size, std::size_t max_bytes, Bytes& out) {
  out.reserve(static_cast<std::size_t>(size));
  bool more = false;
  FileResult read = ReadUpTo(fd, max_bytes, out, more);
  if (!read.ok || more) {
    out.clear();
    if (more)
      return Failure(FormatMessage(Translate("FileRefusal",
                                             "読んでいる間にファイルが大きくなり、この種類の"
                                             "ファイルで読む %1 バイトを超えました"),
                                   {std::to_string(max_bytes)}));
  }
  return read;
}

}  // namespace

std::string LinkOutOfFolderReason() {
  return Translate("FileRefusal", "フォルダーの外のファイルを指すシンボリックリンクは読みません");
}

FileResult CheckRegularFile(const fs::path& path, std::size_t max_bytes) {
  FdCloser file;
  std::uint64_t size = 0;
  return OpenRegular(path, max_bytes, file, size);
}

FileResult ReadWholeFile(const fs::path& path, Bytes& out, std::size_t max_bytes) {
  out.clear();
  FdCloser file;
  std::uint64_t size = 0;
  FileResult opened = OpenRegular(path, max_bytes, file, size);
  if (!opened.ok) return opened;
  return ReadOpenedWhole(file.fd, size, max_bytes, out);
}

FileResult ReadFileHead(const fs::path& path, std::size_t max_bytes, Bytes& out,
                        std::uint64_t& file_size) {
  out.clear();
  FdCloser file;
  FileResult opened = OpenRegular(path, SIZE_MAX, file, file_size);
  if (!opened.ok) return opened;
  out.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(file_size, max_bytes)));
  bool more = false;
  FileResult read = ReadUpTo(file.fd, max_bytes, out, more);
  if (!read.ok) out.clear();
  return read;
}

FileResult ReadOwnFile(const fs::path& path, Bytes& out, std::size_t max_bytes) {
  out.clear();
  FdCloser file;
  std::uint64_t size = 0;
  FileResult opened = OpenRegular(path, max_bytes, file, size);
  if (!opened.ok) return opened;
  // Judged by the file actually opened, so that a link swapped in after a
  // check cannot slip through.
  std::error_code ec;
  fs::path opened_path = fs::read_symlink("/proc/self/fd/" + std::to_string(file.fd), ec);
  fs::path folder = path.parent_path();
  fs::path real_folder = fs::canonical(folder.empty() ? fs::path(".") : folder, ec);
  if (ec || opened_path.parent_path() != real_folder) return Failure(LinkOutOfFolderReason());
  return ReadOpenedWhole(file.fd, size, max_bytes, out);
}

AtomicFile::~AtomicFile() {
  Abandon();
}

void AtomicFile::Abandon() {
  if (fd_ < 0) return;
  ::unlink(temporary_.c_str());
  ::close(fd_);
  fd_ = -1;
}

FileResult AtomicFile::Create(const fs::path& requested, LinkPolicy links) {
  Abandon();
  write_failed_ = false;
  FileResult resolved = ResolveWriteTarget(requested, links, target_);
  if (!resolved.ok) return resolved;
  struct stat info {};
  if (::lstat(target_.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
    if (S_ISDIR(info.st_mode)) return Failure(EISDIR);
    return Failure(NotRegular());
  }
  RemoveStaleTemporaryFiles(target_);
  fs::path folder = target_.parent_path();
  std::string prefix =
      (folder.empty() ? std::string() : folder.string() + "/") + TemporaryPrefix(target_);
  static constexpr char kLetters[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary_ = prefix;
    for (std::size_t i = 0; i < kTemporarySuffixBytes; ++i)
      temporary_ += kLetters[random() % (sizeof kLetters - 1)];
    // 0666 before the umask, as any new file of the user's.
    fd_ = ::open(temporary_.c_str(),
                 O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd_ >= 0) break;
    if (errno != EEXIST) return Failure(errno);
  }
  if (fd_ < 0) return Failure(EEXIST);
  // Held until the rename: a cleaner of stale temporary files leaves it be.
  ::flock(fd_, LOCK_EX);
  return Success();
}

bool AtomicFile::Write(BytesView content) {
  if (fd_ < 0 || write_failed_) return false;
  if (!WriteAll(fd_, content)) {
    write_failed_ = true;
    write_error_ = errno;
    return false;
  }
  return true;
}

FileResult AtomicFile::Commit() {
  if (fd_ < 0) return Failure(EBADF);
  if (write_failed_) {
    int error = write_error_;
    Abandon();
    return Failure(error);
  }
  struct stat old_info {};
  if (::stat(target_.c_str(), &old_info) == 0 && S_ISREG(old_info.st_mode))
    ::fchmod(fd_, old_info.st_mode & 07777);
  if (::fsync(fd_) != 0 || ::rename(temporary_.c_str(), target_.c_str()) != 0) {
    int error = errno;
    Abandon();
    return Failure(error);
  }
  int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) return Failure(errno);
  SyncFolder(target_.parent_path());
  return Success();
}

FileResult WriteFileAtomic(const fs::path& requested, BytesView content, LinkPolicy links) {
  AtomicFile file;
  FileResult created = file.Create(requested, links);
  if (!created.ok) return created;
  file.Write(content);
  return file.Commit();
}

FileResult WriteFileDirect(const fs::path& path, BytesView content) {
  FdCloser file{::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644)};
  if (file.fd < 0) return Failure(errno);
  if (!WriteAll(file.fd, content)) return Failure(errno);
  int fd = file.fd;
  file.fd = -1;
  if (::close(fd) != 0) return Failure(errno);
  return Success();
}

int RemoveStaleTemporaryFiles(const fs::path& path) {
  fs::path folder = path.parent_path();
  std::string prefix = TemporaryPrefix(path);
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return 0;
  int removed = 0;
  int dir_fd = ::dirfd(dir);
  while (const dirent* entry = ::readdir(dir)) {
    if (!IsTemporaryName(entry->d_name, prefix)) continue;
    FdCloser file{
        ::openat(dir_fd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
    struct stat info {};
    if (file.fd < 0 || ::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode)) continue;
    // A write in progress holds its temporary file locked.
    if (::flock(file.fd, LOCK_EX | LOCK_NB) != 0) continue;
    if (::unlinkat(dir_fd, entry->d_name, 0) == 0) ++removed;
  }
  ::closedir(dir);
  return removed;
}

}  // namespace qvn
