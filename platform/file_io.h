#pragma once
// Whole-file reading and the atomic rewrite used for every file that holds a
// reader's progress or an author's text.
#include <filesystem>
#include <string>

#include "common/bytes.h"

namespace qvn {

struct FileResult {
  bool ok = false;
  std::string reason;  // the system's reason when !ok (UTF-8)
};

// Reads the whole file into `out`. A folder or an unreadable file fails with
// the system's reason.
FileResult ReadWholeFile(const std::filesystem::path& path, Bytes& out);

// Writes `content` to a temporary file in the same folder, flushes it and
// renames it over `path`. On failure the old file is left as it was.
FileResult WriteFileAtomic(const std::filesystem::path& path, BytesView content);

// Creates or truncates `path` and writes `content` (no rename: for files that
// are simply replaced, such as compiled output).
FileResult WriteFileDirect(const std::filesystem::path& path, BytesView content);

}  // namespace qvn
