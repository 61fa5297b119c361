#pragma once
// The compile log: a plain-text area in which every line may carry its own
// colour. It also serves as the built-in source editor, which numbers its
// lines, colours their kinds and finds text (Ctrl+F).
#include <QColor>
#include <QString>
#include <QTextEdit>

namespace qvn {

class FindBar;
class SourceHighlighter;

class LogView : public QTextEdit {
  Q_OBJECT

 public:
  explicit LogView(QWidget* parent = nullptr);

  // Adds one line at the end; an invalid colour means the window-text colour.
  // A line that speaks of a place in the source carries its line number
  // (from 1), where a double-click or Enter on it takes the author.
  void AppendLine(const QString& text, const QColor& color = QColor(), int source_line = 0);
  void ClearLog();
  // The text becomes editable, with undo, and counts as unchanged.
  void StartEditing(const QString& text);
  // Gives the whole text the face and size of `font`, keeping line colours.
  void ApplyFontToText(const QFont& font);

  int LineCount() const;
  QString LineText(int index) const;
  QColor LineColor(int index) const;
  // The source line a log line points at; 0 when none.
  int LineSourceLine(int index) const;

  // In the editor: selects the whole of source line `line` (from 1) and
  // scrolls it into view.
  void SelectLine(int line);

  // The editor's parts, shown only while the text is edited.
  QWidget* LineNumbers() const { return line_numbers_; }
  FindBar* Finder() const { return find_bar_; }
  SourceHighlighter* Highlighter() const { return highlighter_; }
  // Finds `text` after (or before) the caret, wrapping around; false when
  // the text holds it nowhere.
  bool FindText(const QString& text, bool backward = false);
  void ShowFindBar();
  void PaintLineNumbers(QPaintEvent* event);

 signals:
  // A log line with a source line was double-clicked or had Enter pressed.
  void SourceLineActivated(int line);

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  // True when the log line at `cursor` points into the source (and says so).
  bool ActivateLineAt(const QTextCursor& cursor);
  bool has_lines_ = false;
  // Margins and places of the line numbers and the find bar.
  void LayOutEditorParts();
  void SetEditorParts(bool editing);
  int LineNumberWidth() const;
  QWidget* line_numbers_;
  FindBar* find_bar_;
  SourceHighlighter* highlighter_;
};

}  // namespace qvn
