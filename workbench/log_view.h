#pragma once
// The compile log: a plain-text area in which every line may carry its own
// colour. It also serves as the built-in source editor.
#include <QColor>
#include <QString>
#include <QTextEdit>

namespace qvn {

class LogView : public QTextEdit {
  Q_OBJECT

 public:
  explicit LogView(QWidget* parent = nullptr);

  // Adds one line at the end; an invalid colour means the window-text colour.
  void AppendLine(const QString& text, const QColor& color = QColor());
  void ClearLog();
  // The text becomes editable, with undo, and counts as unchanged.
  void StartEditing(const QString& text);
  // Gives the whole text the face and size of `font`, keeping line colours.
  void ApplyFontToText(const QFont& font);

  int LineCount() const;
  QString LineText(int index) const;
  QColor LineColor(int index) const;

 private:
  bool has_lines_ = false;
};

}  // namespace qvn
