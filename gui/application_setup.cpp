#include "gui/application_setup.h"

#include <QCoreApplication>
#include <QFont>
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

}  // namespace qvn
