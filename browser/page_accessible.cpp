#include "browser/page_accessible.h"

#include <algorithm>

#include "browser/page_widget.h"

namespace qvn {

PageAccessible::PageAccessible(PageWidget* page)
    : QAccessibleWidget(page, QAccessible::EditableText) {}

PageWidget* PageAccessible::Page() const {
  return static_cast<PageWidget*>(widget());
}

QString PageAccessible::text(QAccessible::Text kind) const {
  switch (kind) {
    case QAccessible::Name:
      return Page()->AccessibleTitle();
    case QAccessible::Value:
      return Page()->AccessibleText();
    default:
      return QAccessibleWidget::text(kind);
  }
}

QAccessible::State PageAccessible::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  state.readOnly = true;
  state.multiLine = true;
  state.editable = false;
  return state;
}

void* PageAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
  return QAccessibleWidget::interface_cast(type);
}

void PageAccessible::selection(int, int* start, int* end) const {
  *start = 0;
  *end = 0;
}

int PageAccessible::cursorPosition() const {
  return Page()->AccessibleCaret();
}

void PageAccessible::setCursorPosition(int position) {
  Page()->SetAccessibleCaret(position);
}

QString PageAccessible::text(int start, int end) const {
  const QString& all = Page()->AccessibleText();
  // Offsets come from another process: clamp them, never trust them.
  start = std::clamp(start, 0, static_cast<int>(all.size()));
  end = std::clamp(end, start, static_cast<int>(all.size()));
  return all.mid(start, end - start);
}

int PageAccessible::characterCount() const {
  return static_cast<int>(Page()->AccessibleText().size());
}

// On the screen, as a screen reader's magnifier and caret tracking need it.
QRect PageAccessible::characterRect(int offset) const {
  QRect box = Page()->CharacterRect(offset);
  if (box.isEmpty()) return {};
  return QRect(Page()->mapToGlobal(box.topLeft()), box.size());
}

int PageAccessible::offsetAtPoint(const QPoint& point) const {
  return Page()->OffsetAt(Page()->mapFromGlobal(point));
}

QString PageAccessible::RowText(int row, int* start, int* end) const {
  const std::vector<TextRow>& rows = Page()->TextRowsNow();
  if (row < 0 || row >= static_cast<int>(rows.size())) {
    *start = -1;
    *end = -1;
    return {};
  }
  const TextRow& text_row = rows[static_cast<std::size_t>(row)];
  const QString& all = Page()->AccessibleText();
  *start = text_row.start;
  *end = text_row.start + text_row.length;
  if (*end < all.size() && all[*end] == '\n') ++*end;
  return all.mid(*start, *end - *start);
}

QString PageAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                                         int* end) const {
  if (type != QAccessible::LineBoundary || offset < 0 || offset > characterCount())
    return QAccessibleTextInterface::textBeforeOffset(offset, type, start, end);
  return RowText(RowAt(Page()->TextRowsNow(), offset) - 1, start, end);
}

QString PageAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                                        int* end) const {
  if (type != QAccessible::LineBoundary || offset < 0 || offset > characterCount())
    return QAccessibleTextInterface::textAfterOffset(offset, type, start, end);
  return RowText(RowAt(Page()->TextRowsNow(), offset) + 1, start, end);
}

QString PageAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                                     int* end) const {
  if (type != QAccessible::LineBoundary || offset < 0 || offset > characterCount())
    return QAccessibleTextInterface::textAtOffset(offset, type, start, end);
  return RowText(RowAt(Page()->TextRowsNow(), offset), start, end);
}

QString PageAccessible::attributes(int offset, int* start, int* end) const {
  *start = offset;
  *end = offset;
  return QString();
}

QAccessibleInterface* PageAccessibleFactory(const QString& class_name, QObject* object) {
  if (class_name == QLatin1String("qvn::PageWidget") && object && object->isWidgetType())
    return new PageAccessible(static_cast<PageWidget*>(object));
  return nullptr;
}

}  // namespace qvn
