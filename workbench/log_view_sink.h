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
  void ProcessPendingMessages() override;

 private:
  LogView& view_;
  QElapsedTimer since_repaint_;
};

}  // namespace qvn
