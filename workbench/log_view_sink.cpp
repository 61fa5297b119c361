#include "workbench/log_view_sink.h"

#include <QCoreApplication>

#include "common/encoding.h"
#include "workbench/log_view.h"

namespace qvn {

void LogViewSink::Line(BytesView text, LogColor color) {
  Append(Cp932ToUtf8(text), color);
}

void LogViewSink::LineAsWritten(std::string_view utf8, LogColor color) {
  Append(std::string(utf8), color);
}

void LogViewSink::Append(std::string shown, LogColor color) {
  // A source line may hold a lone LF or other control bytes; shown as they
  // are they would split the log line or vanish.
  for (char& ch : shown) {
    auto byte = static_cast<unsigned char>(ch);
    if ((byte < 0x20 && byte != '\t') || byte == 0x7F) ch = '?';
  }
  QColor shade;
  if (color == LogColor::kRed) shade = QColor(255, 0, 0);
  if (color == LogColor::kBlue) shade = QColor(0, 0, 255);
  view_.AppendLine(QString::fromStdString(shown), shade, source_line_);
}

void LogViewSink::ProcessPendingMessages() {
  // A repaint per block head would make a story of thousands of blocks
  // compile many times slower than its log needs; a few dozen repaints a
  // second keep the log and the window just as alive.
  constexpr qint64 kRepaintMilliseconds = 40;
  if (since_repaint_.isValid() && since_repaint_.elapsed() < kRepaintMilliseconds) return;
  QCoreApplication::processEvents();
  since_repaint_.start();
}

}  // namespace qvn
