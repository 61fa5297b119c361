#include "workbench/log_view.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace qvn {

LogView::LogView(QWidget* parent) : QTextEdit(parent) {
  setAcceptRichText(false);
  setReadOnly(true);
  setLineWrapMode(QTextEdit::WidgetWidth);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setUndoRedoEnabled(false);
}

void LogView::StartEditing(const QString& text) {
  setPlainText(text);
  setUndoRedoEnabled(true);
  setReadOnly(false);
  document()->setModified(false);
}

void LogView::AppendLine(const QString& text, const QColor& color) {
  QTextCharFormat format;
  format.setForeground(color.isValid() ? color : palette().color(QPalette::Text));
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::End);
  // The document always holds one block; the first line goes into it.
  if (has_lines_ || !document()->isEmpty())
    cursor.insertBlock(QTextBlockFormat(), format);
  else
    cursor.setBlockCharFormat(format);
  cursor.insertText(text, format);
  has_lines_ = true;
}

void LogView::ClearLog() {
  // A log needs no undo history; keeping one would grow with every line.
  setUndoRedoEnabled(false);
  clear();
  setCurrentCharFormat(QTextCharFormat());
  has_lines_ = false;
}

void LogView::ApplyFontToText(const QFont& font) {
  // Lines carry only their colour, so the document's font is the font of the
  // whole text; changing it leaves the text unmodified for the editor.
  setFont(font);
  document()->setDefaultFont(font);
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::Start);
  setTextCursor(cursor);
}

int LogView::LineCount() const {
  return has_lines_ || !document()->isEmpty() ? document()->blockCount() : 0;
}

QString LogView::LineText(int index) const {
  return document()->findBlockByNumber(index).text();
}

QColor LogView::LineColor(int index) const {
  QTextBlock block = document()->findBlockByNumber(index);
  QTextBlock::iterator fragment = block.begin();
  QTextCharFormat format = fragment.atEnd() ? block.charFormat() : fragment.fragment().charFormat();
  return format.foreground().color();
}

}  // namespace qvn
