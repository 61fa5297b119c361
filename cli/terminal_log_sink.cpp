#include "cli/terminal_log_sink.h"

#include "common/encoding.h"

namespace qvn {

Bytes WithoutControlBytes(BytesView text) {
  Bytes safe(text);
  for (char& ch : safe) {
    auto byte = static_cast<unsigned char>(ch);
    if ((byte < 0x20 && byte != '\t') || byte == 0x7F) ch = '?';
  }
  return safe;
}

void TerminalLogSink::Line(BytesView text, LogColor color) {
  Bytes safe = WithoutControlBytes(text);
  Write(utf8_ ? Cp932ToUtf8(safe) : safe, color);
}

void TerminalLogSink::LineAsWritten(std::string_view utf8, LogColor color) {
  Bytes safe = WithoutControlBytes(utf8);
  Write(utf8_ ? safe : Utf8ToCp932(safe), color);
}

void TerminalLogSink::Write(std::string_view shown, LogColor color) {
  const char* start = "";
  if (color_ && color == LogColor::kRed) start = "\x1b[31m";
  if (color_ && color == LogColor::kBlue) start = "\x1b[34m";
  bool wrapped = *start != '\0';
  std::fputs(start, out_);
  std::fwrite(shown.data(), 1, shown.size(), out_);
  std::fputs(wrapped ? "\x1b[0m\n" : "\n", out_);
}

}  // namespace qvn
