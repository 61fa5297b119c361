#include "gui/application_setup.h"

#include <QCoreApplication>
#include <QFont>
#include <QGuiApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

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
  // The programs speak Japanese whatever the desktop's language.
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), "qtbase", "_",
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    return false;
  translator->setParent(&application);
  return QCoreApplication::installTranslator(translator.release());
}

void SetUpApplication(QCoreApplication& application) {
  InstallFontSubstitutes();
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
