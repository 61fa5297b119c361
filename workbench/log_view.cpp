#include "workbench/log_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace qvn {

namespace {

// A log is read with the mouse and the keyboard: Enter acts on the line the
// caret is on.
constexpr Qt::TextInteractionFlags kLogInteraction =
    Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard;

}  // namespace

LogView::LogView(QWidget* parent) : QTextEdit(parent) {
  setAcceptRichText(false);
  setReadOnly(true);
  setLineWrapMode(QTextEdit::WidgetWidth);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setUndoRedoEnabled(false);
  setTextInteractionFlags(kLogInteraction);
}

void LogView::StartEditing(const QString& text) {
  setPlainText(text);
  setUndoRedoEnabled(true);
  setReadOnly(false);
  document()->setModified(false);
}

void LogView::AppendLine(const QString& text, const QColor& color, int source_line) {
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
  cursor.block().setUserState(source_line > 0 ? source_line : -1);
  has_lines_ = true;
}

void LogView::ClearLog() {
  // A log needs no undo history; keeping one would grow with every line.
  setUndoRedoEnabled(false);
  clear();
  setCurrentCharFormat(QTextCharFormat());
  has_lines_ = false;
  if (isReadOnly()) setTextInteractionFlags(kLogInteraction);
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

int LogView::LineSourceLine(int index) const {
  int line = document()->findBlockByNumber(index).userState();
  return line > 0 ? line : 0;
}

bool LogView::ActivateLineAt(const QTextCursor& cursor) {
  if (!isReadOnly()) return false;
  int line = cursor.block().userState();
  if (line <= 0) return false;
  emit SourceLineActivated(line);
  return true;
}

void LogView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (ActivateLineAt(cursorForPosition(event->position().toPoint()))) {
    event->accept();
    return;
  }
  QTextEdit::mouseDoubleClickEvent(event);
}

void LogView::keyPressEvent(QKeyEvent* event) {
  bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && event->modifiers() == Qt::NoModifier && ActivateLineAt(textCursor())) {
    event->accept();
    return;
  }
  QTextEdit::keyPressEvent(event);
}

void LogView::SelectLine(int line) {
  QTextBlock block = document()->findBlockByNumber(line - 1);
  if (!block.isValid()) return;
  QTextCursor cursor(block);
  cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  setTextCursor(cursor);
  ensureCursorVisible();
  setFocus(Qt::OtherFocusReason);
}

}  // namespace qvn
