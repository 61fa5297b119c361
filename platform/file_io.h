#pragma once
// Whole-file reading and the atomic rewrite used for every file that holds a
// reader's progress or an author's text.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "common/bytes.h"

namespace qvn {

struct FileResult {
  bool ok = false;
  std::string reason;  // the system's reason when !ok (UTF-8)
};

// What is read whole is bounded, so that a file handed to a reader cannot
// take the machine's memory. Each kind of file has its own bound, far above
// anything the programs write themselves.
inline constexpr std::size_t kMaxUserDataFileBytes = 256 * 1024;
inline constexpr std::size_t kMaxSettingsFileBytes = 256 * 1024;
inline constexpr std::size_t kMaxStoryBodyBytes = 64 * 1024 * 1024;
inline constexpr std::size_t kMaxPictureFileBytes = 64 * 1024 * 1024;
inline constexpr std::size_t kMaxSourceFileBytes = 64 * 1024 * 1024;
// Sounds are streamed, not read whole; the bound only refuses absurd files.
inline constexpr std::size_t kMaxSoundFileBytes = 1024 * 1024 * 1024;

// Only a regular file is read: a folder, FIFO, device or socket is refused
// with a reason before a byte is read (a FIFO is opened without waiting for
// a writer), and so is a file larger than `max_bytes`.
FileResult CheckRegularFile(const std::filesystem::path& path, std::size_t max_bytes);

// Reads the whole regular file into `out`; a file larger than `max_bytes` is
// refused with a reason.
FileResult ReadWholeFile(const std::filesystem::path& path, Bytes& out,
                         std::size_t max_bytes = kMaxSourceFileBytes);

// Reads at most `max_bytes` from the start of the regular file into `out` and
// gives the file's whole size in `file_size`.
FileResult ReadFileHead(const std::filesystem::path& path, std::size_t max_bytes, Bytes& out,
                        std::uint64_t& file_size);

// How a rewrite treats a symbolic link in the file's place.
enum class LinkPolicy {
  kFollow,          // the file the link names is replaced, wherever it lies
  kSameFolderOnly,  // only a link to a file in the link's own folder is followed;
                    // any other link makes the write fail
};

// Writes `content` to a temporary file in the same folder, flushes it and
// renames it over `path`. On failure the old file is left as it was.
// Temporary files that earlier writes of the same file left behind (a killed
// program) are removed first.
FileResult WriteFileAtomic(const std::filesystem::path& path, BytesView content,
                           LinkPolicy links = LinkPolicy::kFollow);

// Creates or truncates `path` and writes `content`, in place (for tests and
// tools that set up files; the programs' own files go through AtomicFile).
FileResult WriteFileDirect(const std::filesystem::path& path, BytesView content);

// Reads the whole regular file like ReadWholeFile, but only when the file
// opened lies in the folder `path` names: a symbolic link that leads out of
// it (a slot shipped as a link to a reader's secrets) is refused.
// The reason given then, in the reader's language.
std::string LinkOutOfFolderReason();
FileResult ReadOwnFile(const std::filesystem::path& path, Bytes& out, std::size_t max_bytes);

// One file replaced atomically, written piece by piece: a temporary file in
// the target's folder (created O_EXCL|O_NOFOLLOW, the umask honoured) that
// Commit renames over the target. Until then the old file stays as it was,
// and hard links of it keep their bytes; an object destroyed uncommitted
// removes its temporary file.
class AtomicFile {
 public:
  AtomicFile() = default;
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Only a regular file or a missing one is replaced (a FIFO, device or
  // folder in its place is refused), and a link only as `links` allows.
  FileResult Create(const std::filesystem::path& path,
                    LinkPolicy links = LinkPolicy::kSameFolderOnly);
  bool Write(BytesView content);
  // Flushes, gives the file the replaced file's mode and renames it.
  FileResult Commit();
  void Abandon();

 private:
  std::filesystem::path target_;
  std::string temporary_;
  int fd_ = -1;
  bool write_failed_ = false;
  int write_error_ = 0;
};

// Removes the temporary files that interrupted atomic writes of `path` left
// beside it: only in the folder `path` names (never through a link), only
// names of the atomic writes' own pattern for that file name, only regular
// files, and never one that a write in progress holds. Returns how many were
// removed.
int RemoveStaleTemporaryFiles(const std::filesystem::path& path);

}  // namespace qvn
