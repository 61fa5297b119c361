#include "platform/data_folder.h"

#include <filesystem>
#include <system_error>

#include "platform/program_folder.h"

#ifndef QVN_INSTALLED_DATA_DIR
#define QVN_INSTALLED_DATA_DIR ""
#endif
#ifndef QVN_SOURCE_DIR
#define QVN_SOURCE_DIR ""
#endif

namespace qvn {
namespace {

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

void AddOnce(std::vector<std::string>& folders, const std::string& folder) {
  if (folder.empty()) return;
  std::error_code ec;
  std::filesystem::path normal = std::filesystem::weakly_canonical(folder, ec);
  std::string key = ec ? folder : WithSlash(normal.string());
  for (const std::string& known : folders)
    if (known == key) return;
  folders.push_back(key);
}

}  // namespace

std::vector<std::string> DataFolders() {
  std::vector<std::string> folders;
  std::string program = ProgramFolder();
  AddOnce(folders, program);
  AddOnce(folders, program + "../share/qvn/");
  AddOnce(folders, WithSlash(QVN_INSTALLED_DATA_DIR));
  AddOnce(folders, WithSlash(QVN_SOURCE_DIR));
  return folders;
}

std::string FindDataFile(const std::string& relative) {
  for (const std::string& folder : DataFolders()) {
    for (const std::string& candidate : {folder + relative, folder + "docs/" + relative}) {
      std::error_code ec;
      if (std::filesystem::is_regular_file(candidate, ec)) return candidate;
    }
  }
  return std::string();
}

}  // namespace qvn
