#pragma once
// Menu items as the window layout names them.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <string_view>

#include "browser/qt_text.h"

namespace qvn {

// `caption` as tr() gave it, in the reader's language.
inline QAction* AddMenuItem(QMenu* menu, const char* name, const QString& caption,
                            QKeySequence shortcut = {}) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  return action;
}

inline QAction* AddMenuItem(QMenu* menu, const char* name, std::u8string_view caption,
                            QKeySequence shortcut = {}) {
  return AddMenuItem(menu, name, FromUtf8(caption), shortcut);
}

inline QAction* MakeCheckable(QAction* action, bool checked) {
  action->setCheckable(true);
  action->setChecked(checked);
  return action;
}

}  // namespace qvn
