#pragma once
// Compiling a source in a fresh temporary folder and collecting its log.
#include <filesystem>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "compiler/compile.h"
#include "tests/support/temp_folder.h"

namespace qvn::testing {

struct LoggedLine {
  std::string text;  // UTF-8
  LogColor color;
};

class RecordingSink : public LogSink {
 public:
  void Line(BytesView text, LogColor color) override;
  void LineAsWritten(std::string_view utf8, LogColor color) override {
    lines.push_back({std::string(utf8), color});
  }
  void BeginReport(const Diagnostic& where) override {
    reports.push_back(where);
    ++open_reports;
  }
  void EndReport() override { --open_reports; }
  void ProcessPendingMessages() override { ++pumps; }
  std::vector<LoggedLine> lines;
  std::vector<Diagnostic> reports;
  int open_reports = 0;  // 0 again after every report
  int pumps = 0;
};

// Writes `source_cp932` to folder/name and compiles it.
CompileResult CompileSource(const TempFolder& folder, BytesView source_cp932,
                            const CompileOptions& options, RecordingSink& sink,
                            const std::string& name = "story.src");

}  // namespace qvn::testing
