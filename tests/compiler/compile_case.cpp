#include "tests/compiler/compile_case.h"

#include <unistd.h>

#include <fstream>
#include <iterator>

#include "common/encoding.h"

namespace qvn::testing {

void RecordingSink::Line(BytesView text, LogColor color) {
  lines.push_back({Cp932ToUtf8(text), color});
}

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "qvn-test-XXXXXX").string();
  path_ = ::mkdtemp(pattern.data());
}

TempFolder::~TempFolder() {
  std::error_code ec;
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

CompileResult CompileSource(const TempFolder& folder, BytesView source_cp932,
                            const CompileOptions& options, RecordingSink& sink,
                            const std::string& name) {
  std::filesystem::path source = folder / name;
  WriteBytes(source, source_cp932);
  return Compile(source.string(), options, sink);
}

}  // namespace qvn::testing
