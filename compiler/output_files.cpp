#include "compiler/output_files.h"

#include <array>

#include "platform/file_names.h"

namespace qvn {

namespace {

constexpr std::array<const char*, 6> kOutputExtensions = {".qvn", ".qvj", ".Q01",
                                                          ".Q02", ".Q03", ".Q04"};

}  // namespace

bool OutputFiles::CreateStoryFiles() {
  // Each output is written beside the old one and renamed over it only when
  // complete: a failed or killed compile leaves the previous story whole.
  return body_.Create(ResolveForWrite(base_path_ + ".qvn")).ok &&
         index_.Create(ResolveForWrite(base_path_ + ".qvj")).ok;
}

bool OutputFiles::WriteStoryFiles(BytesView body, BytesView index) {
  if (!body_.Write(body) || !index_.Write(index)) {
    body_.Abandon();
    index_.Abandon();
    return false;
  }
  bool ok = body_.Commit().ok;
  ok = index_.Commit().ok && ok;
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
  body_.Abandon();
  index_.Abandon();
  for (const char* extension : kOutputExtensions) {
    for (const std::filesystem::path& match : CaseInsensitiveMatches(base_path_ + extension)) {
      std::error_code ec;
      std::filesystem::remove(match, ec);
    }
  }
}

}  // namespace qvn
