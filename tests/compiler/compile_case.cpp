#include "tests/compiler/compile_case.h"

#include "common/encoding.h"

namespace qvn::testing {

void RecordingSink::Line(BytesView text, LogColor color) {
  lines.push_back({Cp932ToUtf8(text), color});
}

CompileResult CompileSource(const TempFolder& folder, BytesView source_cp932,
                            const CompileOptions& options, RecordingSink& sink,
                            const std::string& name) {
  std::filesystem::path source = folder / name;
  WriteBytes(source, source_cp932);
  return Compile(source.string(), options, sink);
}

}  // namespace qvn::testing
