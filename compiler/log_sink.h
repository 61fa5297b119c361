#pragma once
// Where the compile log goes: the workbench's log widget or the terminal.
#include <string_view>

#include "common/bytes.h"
#include "common/encoding.h"

namespace qvn {

enum class LogColor { kDefault, kRed, kBlue };

// Where an error or warning report points in the source, for tools that take
// the author there.
struct Diagnostic {
  bool error = true;  // false: a warning
  int line = 0;       // 1-based source line; 0 when the source has none
  int column = 1;     // 1-based byte of the line as written; 1 when unknown
  Bytes message;      // CP932, without the report's framing
  Bytes block;        // CP932; the block the report names, empty before the first
  bool has_block = false;
};

class LogSink {
 public:
  virtual ~LogSink() = default;
  // One log line of CP932 bytes in its colour.
  virtual void Line(BytesView text, LogColor color) = 0;
  // A source line that CP932 cannot hold, as the author wrote it (UTF-8).
  virtual void LineAsWritten(std::string_view utf8, LogColor color) {
    Line(Utf8ToCp932(utf8), color);
  }
  // Around the lines of each error and warning report.
  virtual void BeginReport(const Diagnostic&) {}
  virtual void EndReport() {}
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
