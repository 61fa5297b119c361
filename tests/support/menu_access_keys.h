#pragma once
// Access keys a person cannot tell apart: two items of one menu (or two menus
// of the menu bar) underlining the same letter.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <map>

namespace qvn {

// The letter after a single "&", lower case; a null QChar when there is none.
inline QChar AccessKeyOf(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    return text[i + 1].toLower();
  }
  return QChar();
}

inline void CollectClashes(const QList<QAction*>& actions, const QString& where,
                           QStringList& clashes) {
  std::map<QChar, QString> taken;
  for (QAction* action : actions) {
    if (action->isSeparator() || !action->isVisible()) continue;
    QChar key = AccessKeyOf(action->text());
    if (key.isNull()) continue;
    auto [it, fresh] = taken.emplace(key, action->text());
    if (!fresh) clashes << where + ": " + it->second + " / " + action->text();
  }
}

// Every clash in `window`'s menu bar and in each of its menus.
inline QStringList AccessKeyClashes(const QWidget& window) {
  QStringList clashes;
  if (auto* bar = window.findChild<QMenuBar*>())
    CollectClashes(bar->actions(), "menu bar", clashes);
  for (QMenu* menu : window.findChildren<QMenu*>())
    CollectClashes(menu->actions(), menu->title(), clashes);
  return clashes;
}

}  // namespace qvn
