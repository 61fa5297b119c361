#include "compiler/output_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "platform/file_io.h"
#include "platform/file_names.h"

namespace qvn {

namespace {

constexpr std::array<const char*, 6> kOutputExtensions = {".qvn", ".qvj", ".Q01",
                                                          ".Q02", ".Q03", ".Q04"};

int CreateEmpty(const std::string& path) {
  int fd = -1;
  OpenForOutput(ResolveForWrite(path), fd);
  return fd;
}

bool WriteAllTo(int fd, BytesView content) {
  while (!content.empty()) {
    ssize_t n = ::write(fd, content.data(), content.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    content.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

OutputFiles::~OutputFiles() {
  Close();
}

void OutputFiles::Close() {
  if (body_fd_ >= 0) ::close(body_fd_);
  if (index_fd_ >= 0) ::close(index_fd_);
  body_fd_ = index_fd_ = -1;
}

bool OutputFiles::CreateStoryFiles() {
  body_fd_ = CreateEmpty(base_path_ + ".qvn");
  if (body_fd_ < 0) return false;
  index_fd_ = CreateEmpty(base_path_ + ".qvj");
  return index_fd_ >= 0;
}

bool OutputFiles::WriteStoryFiles(BytesView body, BytesView index) {
  bool ok = WriteAllTo(index_fd_, index) && WriteAllTo(body_fd_, body);
  int index_fd = index_fd_;
  int body_fd = body_fd_;
  index_fd_ = body_fd_ = -1;
  ok = (::close(index_fd) == 0) && ok;
  ok = (::close(body_fd) == 0) && ok;
  return ok;
}

bool OutputFiles::WriteUserDataFiles(BytesView content, std::string& reason) {
  for (int slot = 1; slot <= 4; ++slot) {
    std::filesystem::path path = ResolveForWrite(base_path_ + ".Q0" + std::to_string(slot));
    FileResult result = WriteFileAtomic(path, content, LinkPolicy::kSameFolderOnly);
    if (!result.ok) {
      reason = path.string() + ": " + result.reason;
      return false;
    }
  }
  return true;
}

void OutputFiles::RemoveAll() {
  Close();
  for (const char* extension : kOutputExtensions) {
    for (const std::filesystem::path& match : CaseInsensitiveMatches(base_path_ + extension)) {
      std::error_code ec;
      std::filesystem::remove(match, ec);
    }
  }
}

}  // namespace qvn
