#include "platform/program_folder.h"

#include <filesystem>
#include <system_error>

#ifndef QVN_BUILD_DIR
#define QVN_BUILD_DIR ""
#endif

namespace qvn {

std::string ProgramFolder() {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec || exe.empty()) return "./";
  std::string folder = exe.parent_path().string();
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

bool InsideBuildFolder(const std::string& program_folder, const std::string& build_folder) {
  if (program_folder.empty() || build_folder.empty()) return false;
  std::error_code ec;
  std::filesystem::path program = std::filesystem::weakly_canonical(program_folder, ec);
  if (ec) return false;
  std::filesystem::path build = std::filesystem::weakly_canonical(build_folder, ec);
  if (ec) return false;
  std::filesystem::path relative = program.lexically_relative(build);
  return !relative.empty() && *relative.begin() != "..";
}

bool RunFromBuildFolder() {
  return InsideBuildFolder(ProgramFolder(), QVN_BUILD_DIR);
}

std::string ProgramFolderForWriting(const std::string& program_folder) {
  return RunFromBuildFolder() ? program_folder : std::string();
}

}  // namespace qvn
