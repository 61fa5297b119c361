#pragma once
// The compiler's log lines into the log widget, repainting when asked.
#include <QElapsedTimer>

#include "compiler/log_sink.h"

namespace qvn {

class LogView;

class LogViewSink : public LogSink {
 public:
  explicit LogViewSink(LogView& view) : view_(view) {}
  void Line(BytesView text, LogColor color) override;
  void LineAsWritten(std::string_view utf8, LogColor color) override;
  void BeginReport(const Diagnostic& where) override { source_line_ = where.line; }
  void EndReport() override { source_line_ = 0; }
  void ProcessPendingMessages() override;

 private:
  LogView& view_;
  int source_line_ = 0;  // of the report being logged
  void Append(std::string utf8, LogColor color);
  QElapsedTimer since_repaint_;
};

}  // namespace qvn
