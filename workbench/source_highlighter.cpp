#include "workbench/source_highlighter.h"

#include <string>

namespace qvn {

namespace {

QTextCharFormat Shade(const QColor& color, bool bold = false, bool italic = false) {
  QTextCharFormat format;
  format.setForeground(color);
  if (bold) format.setFontWeight(QFont::Bold);
  format.setFontItalic(italic);
  return format;
}

}  // namespace

SourceHighlighter::SourceHighlighter(QObject* parent) : QSyntaxHighlighter(parent) {
  // Dark shades that read well on a light page and stay apart from each other.
  formats_[static_cast<int>(SourceLineKind::kText)] = QTextCharFormat();
  formats_[static_cast<int>(SourceLineKind::kBlockHead)] = Shade(QColor(128, 0, 96), true);
  formats_[static_cast<int>(SourceLineKind::kFlag)] = Shade(QColor(0, 112, 128));
  formats_[static_cast<int>(SourceLineKind::kCondition)] = Shade(QColor(144, 96, 0));
  formats_[static_cast<int>(SourceLineKind::kJump)] = Shade(QColor(144, 96, 0));
  formats_[static_cast<int>(SourceLineKind::kTarget)] = Shade(QColor(0, 128, 0), true);
  formats_[static_cast<int>(SourceLineKind::kDirective)] = Shade(QColor(64, 64, 176));
  formats_[static_cast<int>(SourceLineKind::kHeader)] = Shade(QColor(160, 64, 0));
  formats_[static_cast<int>(SourceLineKind::kComment)] = Shade(QColor(128, 128, 128), false, true);
  formats_[static_cast<int>(SourceLineKind::kEndOfStory)] = Shade(QColor(128, 0, 96), true);
}

const QTextCharFormat& SourceHighlighter::FormatOf(SourceLineKind kind) const {
  return formats_[static_cast<int>(kind)];
}

void SourceHighlighter::highlightBlock(const QString& text) {
  int state = previousBlockState() < 0 ? kSourceLinesStart : previousBlockState();
  // Only ASCII decides a kind; other characters stand in as a letter, one
  // byte per UTF-16 unit so that offsets stay those of the text.
  std::string ascii(static_cast<std::size_t>(text.size()), 'x');
  for (qsizetype i = 0; i < text.size(); ++i)
    if (text[i].unicode() < 0x80)
      ascii[static_cast<std::size_t>(i)] = static_cast<char>(text[i].unicode());
  SourceLineClass line = ClassifySourceLine(ascii, state);
  setCurrentBlockState(state);
  if (line.kind == SourceLineKind::kText) return;
  if (line.kind == SourceLineKind::kJump) {
    int target = static_cast<int>(line.target_start);
    setFormat(0, target, FormatOf(SourceLineKind::kJump));
    setFormat(target, static_cast<int>(text.size()) - target, FormatOf(SourceLineKind::kTarget));
    return;
  }
  setFormat(0, static_cast<int>(text.size()), FormatOf(line.kind));
}

}  // namespace qvn
