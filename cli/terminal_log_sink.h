#pragma once
// The compile log on a terminal: one line per log line, in UTF-8 or as the
// CP932 bytes, red and blue lines wrapped in ANSI colours when asked.
#include <cstdio>

#include "compiler/log_sink.h"

namespace qvn {

class TerminalLogSink : public LogSink {
 public:
  TerminalLogSink(std::FILE* out, bool color, bool utf8) : out_(out), color_(color), utf8_(utf8) {}
  void Line(BytesView text, LogColor color) override;
  void LineAsWritten(std::string_view utf8, LogColor color) override;

 private:
  std::FILE* out_;
  bool color_;
  bool utf8_;
  void Write(std::string_view shown, LogColor color);
};

// Control bytes of a story line would drive the terminal; show them as "?".
Bytes WithoutControlBytes(BytesView text);

}  // namespace qvn
