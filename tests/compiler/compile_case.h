#pragma once
// Compiling a source in a fresh temporary folder and collecting its log.
#include <filesystem>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "compiler/compile.h"

namespace qvn::testing {

struct LoggedLine {
  std::string text;  // UTF-8
  LogColor color;
};

class RecordingSink : public LogSink {
 public:
  void Line(BytesView text, LogColor color) override;
  void ProcessPendingMessages() override { ++pumps; }
  std::vector<LoggedLine> lines;
  int pumps = 0;
};

// A temporary folder removed at the end of the test.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

void WriteBytes(const std::filesystem::path& path, BytesView bytes);
Bytes ReadBytes(const std::filesystem::path& path);

// Writes `source_cp932` to folder/name and compiles it.
CompileResult CompileSource(const TempFolder& folder, BytesView source_cp932,
                            const CompileOptions& options, RecordingSink& sink,
                            const std::string& name = "story.src");

}  // namespace qvn::testing
