// Any bytes as a story source: the compile must end with one of its own
// outcomes, never crash, and clean up after a compile error.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "compiler/compile.h"

namespace {

const std::filesystem::path& Folder() {
  static const std::filesystem::path folder = [] {
    auto path = std::filesystem::temp_directory_path() / ("qvn-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
    return path;
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::filesystem::path source = Folder() / "story.src";
  {
    std::ofstream out(source, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  qvn::CompileOptions options;
  // Let the first byte choose the options so that every path is reached.
  std::uint8_t bits = size > 0 ? data[0] : 0;
  options.jump_check = (bits & 1) == 0;
  options.block_names = (bits & 2) != 0;
  options.simple_warnings = (bits & 4) == 0;
  options.password_enabled = (bits & 8) != 0;
  options.password = "pass";
  options.key = 1234;
  // Sources are also read as UTF-8, chosen or detected.
  int encoding = (bits >> 4) & 3;
  options.source_encoding = encoding == 1   ? qvn::SourceEncoding::kCp932
                            : encoding == 2 ? qvn::SourceEncoding::kUtf8
                                            : qvn::SourceEncoding::kAuto;
  qvn::NullLogSink sink;
  qvn::Compile(source.string(), options, sink);
  return 0;
}
