#pragma once
// Where the compile log goes: the workbench's log widget or the terminal.
#include "common/bytes.h"

namespace qvn {

enum class LogColor { kDefault, kRed, kBlue };

class LogSink {
 public:
  virtual ~LogSink() = default;
  // One log line of CP932 bytes in its colour.
  virtual void Line(BytesView text, LogColor color) = 0;
  // Called after each block head and before the jump-target check, where a
  // window lets its log repaint.
  virtual void ProcessPendingMessages() {}
};

// For compiles whose log nobody reads.
class NullLogSink : public LogSink {
 public:
  void Line(BytesView, LogColor) override {}
};

}  // namespace qvn
