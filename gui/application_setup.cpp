#include "gui/application_setup.h"

#include <QCoreApplication>
#include <QFont>
#include <QGuiApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

#include "platform/language.h"
#include "platform/program_folder.h"
#include "translations/program_translation.h"

namespace qvn {

void InstallFontSubstitutes() {
  QFont::insertSubstitution(QString::fromUtf8(u8"ＭＳ 明朝"), "IPAMincho");
  QFont::insertSubstitution(QString::fromUtf8(u8"ＭＳ ゴシック"), "IPAGothic");
  QFont::insertSubstitution(QString::fromUtf8(u8"ＭＳ Ｐ明朝"), "IPAPMincho");
  QFont::insertSubstitution(QString::fromUtf8(u8"ＭＳ Ｐゴシック"), "IPAPGothic");
  // Liberation Sans has Arial's metrics, so texts laid out for it keep their width.
  QFont::insertSubstitution("Arial", "Liberation Sans");
}

bool InstallQtTranslations(QCoreApplication& application) {
  // Qt's texts in Japanese unless the program speaks English.
  if (application.property("qvn_language").toString() == "en") return true;
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), "qtbase", "_",
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    return false;
  translator->setParent(&application);
  return QCoreApplication::installTranslator(translator.release());
}

bool InstallProgramTranslation(QCoreApplication& application, const char* settings_file) {
  Language language =
      settings_file ? ProgramLanguage(ProgramFolder(), settings_file) : LanguageOfEnvironment();
  application.setProperty("qvn_language", LanguageCode(language));
  auto catalogue = std::make_unique<QtMessageCatalogue>();
  if (!catalogue->Load(language)) return false;
  if (language == Language::kJapanese) return true;
  QCoreApplication::installTranslator(&catalogue->Translator());
  // The catalogue lives as long as the application: Qt-free code may ask it
  // until the last window is gone.
  InstallMessageCatalogue(catalogue.get());
  struct Holder : QObject {
    std::unique_ptr<QtMessageCatalogue> held;
    ~Holder() override { InstallMessageCatalogue(nullptr); }
  };
  auto* holder = new Holder;
  holder->held = std::move(catalogue);
  holder->setParent(&application);
  return true;
}

void SetUpApplication(QCoreApplication& application, const char* settings_file) {
  InstallFontSubstitutes();
  InstallProgramTranslation(application, settings_file);
  InstallQtTranslations(application);
}

void SetProgramIdentity(const char* desktop_id) {
  QIcon icon;
  for (const char* size : {"48x48", "256x256"})
    icon.addFile(QString(":/icons/%1/apps/%2.png").arg(size, desktop_id));
  QGuiApplication::setWindowIcon(QIcon::fromTheme(desktop_id, icon));
  QGuiApplication::setDesktopFileName(desktop_id);
}

}  // namespace qvn
