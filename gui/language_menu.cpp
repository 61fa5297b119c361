#include "gui/language_menu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMessageBox>

#include "translations/program_translation.h"

namespace qvn {

namespace {

constexpr char kContext[] = "qvn::LanguageMenu";

// Each said in the language it announces, whatever the window speaks now.
const char* const kJapaneseNext =
    QT_TRANSLATE_NOOP("qvn::LanguageMenu", "次回の起動から日本語で表示します。");
const char* const kEnglishNext =
    QT_TRANSLATE_NOOP("qvn::LanguageMenu", "次回の起動から英語で表示します。");
const char* const kSystemNext = QT_TRANSLATE_NOOP(
    "qvn::LanguageMenu", "次回の起動からシステムの言語設定に合わせて表示します。");

}  // namespace

LanguageMenu::LanguageMenu(QMenu* menu, std::optional<Language> setting, QWidget* window)
    : QObject(menu), window_(window), setting_(setting) {
  // Both words, so that a reader who reads only one of them finds it.
  menu_ = menu->addMenu(tr("言語 / Language(&L)"));
  menu_->setObjectName("Language1");
  auto* group = new QActionGroup(this);
  auto add = [&](const char* name, const QString& caption) {
    QAction* item = menu_->addAction(caption);
    item->setObjectName(name);
    item->setCheckable(true);
    group->addAction(item);
    return item;
  };
  // Each language by its own name, as language choosers show them.
  japanese_ = add("LanguageJapanese1", QString::fromUtf8("日本語(&J)"));
  english_ = add("LanguageEnglish1", QStringLiteral("&English"));
  menu_->addSeparator();
  system_ = add("LanguageSystem1", tr("システムに合わせる(&S)"));
  SetSetting(setting);
  connect(japanese_, &QAction::triggered, this, [this] { Choose(Language::kJapanese); });
  connect(english_, &QAction::triggered, this, [this] { Choose(Language::kEnglish); });
  connect(system_, &QAction::triggered, this, [this] { Choose(std::nullopt); });
}

void LanguageMenu::SetSetting(std::optional<Language> setting) {
  setting_ = setting;
  QAction* item = !setting ? system_ : *setting == Language::kEnglish ? english_ : japanese_;
  item->setChecked(true);
}

void LanguageMenu::Choose(std::optional<Language> chosen) {
  if (chosen == setting_) return;
  setting_ = chosen;
  Language shown = chosen ? *chosen : LanguageOfEnvironment();
  const char* source = !chosen                         ? kSystemNext
                       : *chosen == Language::kEnglish ? kEnglishNext
                                                       : kJapaneseNext;
  QMessageBox notice(QMessageBox::Information, window_ ? window_->windowTitle() : QString(),
                     TranslateInto(shown, kContext, source), QMessageBox::Ok, window_);
  notice.setObjectName("LanguageNotice");
  notice.exec();
}

}  // namespace qvn
