#include "workbench/log_view.h"

#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

#include "workbench/find_bar.h"
#include "workbench/source_highlighter.h"

namespace qvn {

namespace {

// A log is read with the mouse and the keyboard: Enter acts on the line the
// caret is on.
constexpr Qt::TextInteractionFlags kLogInteraction =
    Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard;

// The strip left of the editor's text that shows the line numbers.
class LineNumberArea : public QWidget {
 public:
  explicit LineNumberArea(LogView* view) : QWidget(view), view_(view) {
    setObjectName("LineNumbers");
  }

 protected:
  void paintEvent(QPaintEvent* event) override { view_->PaintLineNumbers(event); }

 private:
  LogView* view_;
};

}  // namespace

LogView::LogView(QWidget* parent) : QTextEdit(parent) {
  setAcceptRichText(false);
  setReadOnly(true);
  setLineWrapMode(QTextEdit::WidgetWidth);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setUndoRedoEnabled(false);
  setTextInteractionFlags(kLogInteraction);
  line_numbers_ = new LineNumberArea(this);
  line_numbers_->hide();
  find_bar_ = new FindBar(this);
  find_bar_->hide();
  highlighter_ = new SourceHighlighter(this);
  connect(find_bar_, &FindBar::FindRequested, this,
          [this](const QString& text, bool backward) { FindText(text, backward); });
  connect(find_bar_, &FindBar::Closed, this, [this] {
    find_bar_->hide();
    LayOutEditorParts();
    setFocus(Qt::OtherFocusReason);
  });
  connect(document(), &QTextDocument::blockCountChanged, this, [this] { LayOutEditorParts(); });
  connect(document(), &QTextDocument::contentsChanged, line_numbers_,
          qOverload<>(&QWidget::update));
}

void LogView::StartEditing(const QString& text) {
  setPlainText(text);
  setUndoRedoEnabled(true);
  setReadOnly(false);
  document()->setModified(false);
  SetEditorParts(true);
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
  if (isReadOnly()) {
    setTextInteractionFlags(kLogInteraction);
    SetEditorParts(false);
  }
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
  if (event->matches(QKeySequence::Find)) {
    ShowFindBar();
    event->accept();
    return;
  }
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

void LogView::SetEditorParts(bool editing) {
  // The log colours its own lines; the highlighter is the editor's alone.
  highlighter_->setDocument(editing ? document() : nullptr);
  line_numbers_->setVisible(editing);
  if (!editing) find_bar_->hide();
  LayOutEditorParts();
}

int LogView::LineNumberWidth() const {
  int digits = 1;
  for (int count = document()->blockCount(); count >= 10; count /= 10) ++digits;
  return 8 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * std::max(digits, 3);
}

void LogView::LayOutEditorParts() {
  QRect area = contentsRect();
  int left = line_numbers_->isVisibleTo(this) ? LineNumberWidth() : 0;
  int bottom = find_bar_->isVisibleTo(this) ? find_bar_->sizeHint().height() : 0;
  setViewportMargins(left, 0, 0, bottom);
  line_numbers_->setGeometry(area.left(), area.top(), left, area.height() - bottom);
  // The vertical scroll bar (always shown) runs the whole height: the bar
  // stands left of it.
  int scroll_bar = verticalScrollBar()->isVisibleTo(this) ? verticalScrollBar()->width() : 0;
  find_bar_->setGeometry(area.left(), area.bottom() + 1 - bottom, area.width() - scroll_bar,
                         bottom);
  line_numbers_->update();
}

void LogView::resizeEvent(QResizeEvent* event) {
  QTextEdit::resizeEvent(event);
  LayOutEditorParts();
}

void LogView::scrollContentsBy(int dx, int dy) {
  QTextEdit::scrollContentsBy(dx, dy);
  line_numbers_->update();
}

void LogView::PaintLineNumbers(QPaintEvent* event) {
  QPainter painter(line_numbers_);
  painter.fillRect(event->rect(), palette().color(QPalette::AlternateBase));
  painter.setPen(palette().color(QPalette::PlaceholderText));
  painter.setFont(font());
  const int offset = verticalScrollBar()->value();
  const int height = fontMetrics().height();
  QAbstractTextDocumentLayout* layout = document()->documentLayout();
  for (QTextBlock block = cursorForPosition(QPoint(0, 0)).block(); block.isValid();
       block = block.next()) {
    int top = static_cast<int>(layout->blockBoundingRect(block).top()) - offset;
    if (top > line_numbers_->height()) break;
    painter.drawText(0, top, line_numbers_->width() - 4, height, Qt::AlignRight | Qt::AlignTop,
                     QString::number(block.blockNumber() + 1));
  }
}

void LogView::ShowFindBar() {
  if (document()->isEmpty()) return;
  QString selected = textCursor().selectedText();
  if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator))
    find_bar_->Field()->setText(selected);
  find_bar_->show();
  LayOutEditorParts();
  find_bar_->Field()->setFocus(Qt::ShortcutFocusReason);
  find_bar_->Field()->selectAll();
}

bool LogView::FindText(const QString& text, bool backward) {
  if (text.isEmpty()) return false;
  QTextDocument::FindFlags flags;
  if (backward) flags |= QTextDocument::FindBackward;
  find_bar_->Status()->clear();
  if (find(text, flags)) return true;
  // Round again from the other end.
  QTextCursor saved = textCursor();
  QTextCursor from(document());
  from.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
  setTextCursor(from);
  if (find(text, flags)) {
    find_bar_->Status()->setText(backward ? tr("末尾から続けました") : tr("先頭から続けました"));
    return true;
  }
  // An old match left selected would pass for this one.
  saved.clearSelection();
  setTextCursor(saved);
  find_bar_->Status()->setText(tr("見つかりません"));
  return false;
}

}  // namespace qvn
