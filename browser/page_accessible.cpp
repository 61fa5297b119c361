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

// The rows are wrapped differently from the lines, so no character has a
// known place; the page's rectangle stands for each.
QRect PageAccessible::characterRect(int) const {
  return QRect();
}

int PageAccessible::offsetAtPoint(const QPoint&) const {
  return -1;
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
