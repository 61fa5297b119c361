#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace qvn {

namespace {

FileResult Failure(int error) { return FileResult{false, std::strerror(error)}; }

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

}  // namespace

FileResult ReadWholeFile(const std::filesystem::path& path, Bytes& out) {
  out.clear();
  FdCloser file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
  if (file.fd < 0) return Failure(errno);
  struct stat info {};
  if (::fstat(file.fd, &info) != 0) return Failure(errno);
  if (S_ISDIR(info.st_mode)) return Failure(EISDIR);
  if (S_ISREG(info.st_mode)) out.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(file.fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return Failure(errno);
    }
    if (n == 0) break;
    out.append(buffer, static_cast<std::size_t>(n));
  }
  return FileResult{true, {}};
}

FileResult WriteFileAtomic(const std::filesystem::path& requested, BytesView content) {
  // A link is followed, so that the file it names is replaced, not the link.
  std::error_code ec;
  std::filesystem::path path = requested;
  if (std::filesystem::is_symlink(requested, ec)) {
    std::filesystem::path target = std::filesystem::weakly_canonical(requested, ec);
    if (!ec) path = target;
  }
  std::filesystem::path folder = path.parent_path();
  // The temporary name must fit where the file's own name fits.
  std::string name = path.filename().string();
  if (name.size() > 200) name.resize(200);
  std::string pattern =
      (folder.empty() ? std::string() : folder.string() + "/") + "." + name + ".XXXXXX";
  FdCloser temp{::mkstemp(pattern.data())};
  if (temp.fd < 0) return Failure(errno);
  struct stat old_info {};
  mode_t mode = 0644;
  if (::stat(path.c_str(), &old_info) == 0) mode = old_info.st_mode & 07777;
  ::fchmod(temp.fd, mode);
  if (!WriteAll(temp.fd, content) || ::fsync(temp.fd) != 0) {
    int error = errno;
    ::unlink(pattern.c_str());
    return Failure(error);
  }
  int fd = temp.fd;
  temp.fd = -1;
  if (::close(fd) != 0) {
    int error = errno;
    ::unlink(pattern.c_str());
    return Failure(error);
  }
  if (::rename(pattern.c_str(), path.c_str()) != 0) {
    int error = errno;
    ::unlink(pattern.c_str());
    return Failure(error);
  }
  return FileResult{true, {}};
}

FileResult WriteFileDirect(const std::filesystem::path& path, BytesView content) {
  FdCloser file{::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644)};
  if (file.fd < 0) return Failure(errno);
  if (!WriteAll(file.fd, content)) return Failure(errno);
  int fd = file.fd;
  file.fd = -1;
  if (::close(fd) != 0) return Failure(errno);
  return FileResult{true, {}};
}

}  // namespace qvn
