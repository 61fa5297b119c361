#include "tests/support/temp_folder.h"

#include <unistd.h>

#include <fstream>
#include <iterator>

namespace qvn::testing {

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "qvn-test-XXXXXX").string();
  path_ = ::mkdtemp(pattern.data());
}

TempFolder::~TempFolder() {
  std::error_code ec;
  // A test may have made its folder read-only; removal needs it writable.
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

void WriteBytes(const std::filesystem::path& path, BytesView bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

Bytes ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace qvn::testing
