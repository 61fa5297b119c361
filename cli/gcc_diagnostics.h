#pragma once
// `qvn compile --diagnostics=gcc`: every error and warning once more as
// "FILE:LINE:COLUMN: error: MESSAGE [ブロック : NAME]" in UTF-8, the form that
// editors' quickfix lists and problem matchers read. The message and the
// block's label are the log's own, in the log's language; the rest stays as
// the tools expect it in any language.
#include <cstdio>
#include <string>

#include "compiler/log_sink.h"

namespace qvn {

// One diagnostic line, without its line break. A report that names no line
// (an empty source) points at line 1, where an editor can still go.
std::string FormatGccDiagnostic(const std::string& file, const Diagnostic& where);

// Passes the log on to `log` and writes each report's diagnostic to `out`.
class GccDiagnosticsSink : public LogSink {
 public:
  GccDiagnosticsSink(LogSink& log, std::FILE* out, std::string file)
      : log_(log), out_(out), file_(std::move(file)) {}
  void Line(BytesView text, LogColor color) override { log_.Line(text, color); }
  void LineAsWritten(std::string_view utf8, LogColor color) override {
    log_.LineAsWritten(utf8, color);
  }
  void BeginReport(const Diagnostic& where) override;
  void EndReport() override { log_.EndReport(); }
  void ProcessPendingMessages() override { log_.ProcessPendingMessages(); }

 private:
  LogSink& log_;
  std::FILE* out_;
  std::string file_;
};

}  // namespace qvn
