#pragma once
// The page as assistive technology sees it: the page is an image, so a screen
// reader would find nothing on it. This gives the story's lines as read-only
// text, named for the story, with a caret that a reader's caret mode moves.
#include <QAccessibleWidget>

namespace qvn {

class PageWidget;

class PageAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit PageAccessible(PageWidget* page);

  // QAccessibleInterface
  QString text(QAccessible::Text kind) const override;
  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType type) override;

  // QAccessibleTextInterface: no selection, the caret only.
  void selection(int index, int* start, int* end) const override;
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override;
  void setCursorPosition(int position) override;
  QString text(int start, int end) const override;
  int characterCount() const override;
  QRect characterRect(int offset) const override;
  int offsetAtPoint(const QPoint& point) const override;
  void scrollToSubstring(int, int) override {}
  QString attributes(int offset, int* start, int* end) const override;
  // Lines are the rows as drawn, so that caret mode reads what the eye sees.
  QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                           int* end) const override;
  QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                          int* end) const override;
  QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                       int* end) const override;

 private:
  PageWidget* Page() const;
  // Row `row` with the "\n" that may end it; empty and -1s past the rows.
  QString RowText(int row, int* start, int* end) const;
};

// The factory Qt asks for a widget's accessible interface; installed by the
// page widget.
QAccessibleInterface* PageAccessibleFactory(const QString& class_name, QObject* object);

}  // namespace qvn
