#include "runtime/user_data_file_io.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/file_names.h"
#include "runtime/messages.h"
#include "runtime/story_error.h"
#include "runtime/story_session.h"
#include "runtime/user_data_text.h"

namespace qvn {

namespace {

bool MayWrite(const std::string& path, bool folder) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return false;
  if (folder ? !S_ISDIR(info.st_mode) : !S_ISREG(info.st_mode)) return false;
  return (info.st_mode & 0222) != 0 && ::access(path.c_str(), W_OK) == 0;
}

}  // namespace

bool IsWritableFile(const std::string& path) {
  return MayWrite(path, false);
}

bool IsWritableFolder(const std::string& folder) {
  return MayWrite(folder.empty() ? "." : folder, true);
}

FileResult WriteUserDataFile(const std::string& path, BytesView content) {
  fs::path target = ResolveForWrite(path);
  std::error_code ec;
  // The rename of an atomic write would replace even a read-only file; a
  // slot the reader protected must stay as it is.
  if (fs::exists(target, ec) && !IsWritableFile(target.string()))
    return FileResult{false, std::strerror(EACCES)};
  // A slot that is a link to a file elsewhere (a story may ship one) must not
  // let a save replace that file.
  return WriteFileAtomic(target, content, LinkPolicy::kSameFolderOnly);
}

void StorySession::LoadUserData(const std::string& path) {
  Bytes text;
  FileResult read = ReadOwnFile(path, text, kMaxUserDataFileBytes);
  if (!read.ok) throw StoryError(path, read.reason);
  std::string damage = ParseUserData(text, index_, state_);
  if (!damage.empty()) throw StoryError(path, damage);
}

bool StorySession::SaveUserData(const std::string& path) {
  Bytes content = FormatUserData(state_, ResumeMarkerFor(state_, index_));
  if (WriteUserDataFile(path, content).ok) return true;
  host_.ShowWriteFailure(messages::WriteFailure());
  return false;
}

}  // namespace qvn
