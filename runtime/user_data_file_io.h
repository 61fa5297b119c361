#pragma once
// Rewriting a user data file: atomically, and never over a file the reader
// has made read-only.
#include <string>

#include "common/bytes.h"
#include "platform/file_io.h"

namespace qvn {

// Replaces the file (an existing one of the same name ignoring letter case is
// rewritten in place). A read-only file, a symbolic link to a file outside
// the link's folder, or any failure, leaves the old file as it was.
FileResult WriteUserDataFile(const std::string& path, BytesView content);

// True when the file (or folder) exists, may be written and is not marked
// read-only: a file without any write permission bit counts as read-only even
// for a user whom the system would let write it, as the read-only attribute
// of the stories' home system does.
bool IsWritableFile(const std::string& path);
bool IsWritableFolder(const std::string& folder);

}  // namespace qvn
