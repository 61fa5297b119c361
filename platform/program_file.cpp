#include "platform/program_file.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <system_error>
#include <thread>
#include <utility>

extern char** environ;

namespace qvn {

namespace {

// The descriptor number the started program finds its own file under: a
// script's interpreter reads the script through it.
constexpr int kProgramFd = 3;

std::string FdPath(int fd) {
  return "/proc/self/fd/" + std::to_string(fd);
}

// A script names its interpreter in its first line ("#!").
bool IsScript(const ProgramFile& program) {
  int fd = ::open(FdPath(program.Fd()).c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return false;
  char start[2] = {};
  bool script = ::read(fd, start, 2) == 2 && start[0] == '#' && start[1] == '!';
  ::close(fd);
  return script;
}

// Whether the real path still names the file held, as its last part (no
// link followed there).
bool StillInPlace(const ProgramFile& program) {
  std::optional<ProgramFile> again = ProgramFile::Open(program.Path());
  return again && again->Device() == program.Device() && again->Inode() == program.Inode();
}

}  // namespace

std::optional<ProgramFile> ProgramFile::Open(const std::filesystem::path& path) {
  ProgramFile file;
  file.fd_ = ::open(path.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
  if (file.fd_ < 0) return std::nullopt;
  struct stat info {};
  if (::fstat(file.fd_, &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  std::error_code ec;
  std::filesystem::path real = std::filesystem::read_symlink(FdPath(file.fd_), ec);
  if (ec || !real.is_absolute()) return std::nullopt;
  file.path_ = real.string();
  file.device_ = info.st_dev;
  file.inode_ = info.st_ino;
  return file;
}

ProgramFile::ProgramFile(ProgramFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      path_(std::move(other.path_)),
      device_(other.device_),
      inode_(other.inode_) {}

ProgramFile& ProgramFile::operator=(ProgramFile&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
    path_ = std::move(other.path_);
    device_ = other.device_;
    inode_ = other.inode_;
  }
  return *this;
}

ProgramFile::~ProgramFile() {
  if (fd_ >= 0) ::close(fd_);
}

bool StartProgramFile(const ProgramFile& program, std::vector<std::string> argv) {
  if (program.Fd() < 0 || argv.empty()) return false;
  // A binary is started from the file held. A script is started by its real
  // path, so that it finds itself by "$0" as scripts do, once that path is
  // seen to name the same file still.
  bool script = IsScript(program);
  if (script && !StillInPlace(program)) return false;
  std::vector<char*> pointers;
  for (std::string& word : argv) pointers.push_back(word.data());
  pointers.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  // The exec opens the copy; dup2 makes one the file's own descriptor
  // (close-on-exec) would not leave.
  if (!script) posix_spawn_file_actions_adddup2(&actions, program.Fd(), kProgramFd);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);

  // The held file itself, never a name that could have been swapped since.
  const std::string self = script ? program.Path() : FdPath(kProgramFd);
  pid_t pid = 0;
  int rc = posix_spawn(&pid, self.c_str(), &actions, &attributes, pointers.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (rc != 0) return false;
  std::thread([pid] { ::waitpid(pid, nullptr, 0); }).detach();
  return true;
}

}  // namespace qvn
