#pragma once
// A program file held open from the moment it is checked until it starts, so
// that the file started is the one the reader was asked about even when its
// name is swapped for another file or a link in between.
#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qvn {

class ProgramFile {
 public:
  // Opens the regular file `path` names, without following a link in its
  // last part; nullopt for a link, a folder or anything else.
  static std::optional<ProgramFile> Open(const std::filesystem::path& path);

  ProgramFile(ProgramFile&& other) noexcept;
  ProgramFile& operator=(ProgramFile&& other) noexcept;
  ProgramFile(const ProgramFile&) = delete;
  ProgramFile& operator=(const ProgramFile&) = delete;
  ~ProgramFile();

  int Fd() const { return fd_; }
  // The real path of the file opened (links in its folders resolved).
  const std::string& Path() const { return path_; }
  dev_t Device() const { return device_; }
  ino_t Inode() const { return inode_; }

 private:
  ProgramFile() = default;
  int fd_ = -1;
  std::string path_;
  dev_t device_ = 0;
  ino_t inode_ = 0;
};

// Starts that file (detached, in its own session, output to /dev/null) with
// `argv`: a binary from the descriptor held, a script by its real path only
// when that still names the file held. True when it started.
bool StartProgramFile(const ProgramFile& program, std::vector<std::string> argv);

}  // namespace qvn
