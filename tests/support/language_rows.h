#pragma once
// Table rows of what a window says in Japanese and in English, and which of
// the two a test program expects (QVN_EXPECTED_LANGUAGE, set per locale by
// the test's registration).
#include <QAction>
#include <QMenu>
#include <QString>
#include <QWidget>
#include <cstdlib>
#include <string>

namespace qvn {

inline bool EnglishExpected() {
  const char* expected = std::getenv("QVN_EXPECTED_LANGUAGE");
  return expected && std::string(expected) == "en";
}

struct Words {
  const char* name;  // object name, or what the row is about
  const char* japanese;
  const char* english;
};

inline QString InLanguage(const Words& words, bool english) {
  return QString::fromUtf8(english ? words.english : words.japanese);
}

// A menu's title or an item's caption, by its object name.
inline QString CaptionOf(const QWidget& form, const char* name) {
  if (auto* menu = form.findChild<QMenu*>(name)) return menu->title();
  if (auto* item = form.findChild<QAction*>(name)) return item->text();
  return QString("(no %1)").arg(name);
}

}  // namespace qvn
