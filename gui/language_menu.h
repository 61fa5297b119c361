#pragma once
// The 言語 / Language submenu both windows carry: Japanese, English, or as
// the system says. The choice is kept in the program's settings and takes
// effect at the next start, which a message says in the language chosen.
#include <QObject>
#include <optional>

#include "platform/language.h"

class QAction;
class QMenu;
class QWidget;

namespace qvn {

class LanguageMenu : public QObject {
  Q_OBJECT
 public:
  // Appends the submenu to `menu`; `setting` is what the settings file holds
  // (nullopt: as the system). The notice's owner is `window`.
  LanguageMenu(QMenu* menu, std::optional<Language> setting, QWidget* window);

  // What the settings file is to hold now.
  std::optional<Language> Setting() const { return setting_; }
  // Checks the item of `setting`, as read from the settings, without a word.
  void SetSetting(std::optional<Language> setting);

  QMenu* Menu() const { return menu_; }
  QAction* JapaneseItem() const { return japanese_; }
  QAction* EnglishItem() const { return english_; }
  QAction* SystemItem() const { return system_; }

 private:
  void Choose(std::optional<Language> chosen);

  QWidget* window_;
  std::optional<Language> setting_;
  QMenu* menu_ = nullptr;
  QAction* japanese_ = nullptr;
  QAction* english_ = nullptr;
  QAction* system_ = nullptr;
};

}  // namespace qvn
