#include "browser/help.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace qvn {

QString FindManualPage(const std::string& program_folder, const QString& name) {
  const QString candidates[] = {QString::fromStdString(program_folder) + name + ".html",
                                QString::fromStdString(program_folder) + "docs/" + name + ".html",
                                QString(QVN_DOCS_DIR) + "/" + name + ".html"};
  for (const QString& candidate : candidates)
    if (QFileInfo::exists(candidate)) return candidate;
  return QString();
}

bool OpenHelp(const std::string& program_folder, const QString& name, const QString& topic) {
  QString page = FindManualPage(program_folder, name);
  if (page.isEmpty()) return false;
  QUrl url = QUrl::fromLocalFile(page);
  url.setFragment(topic);
  return QDesktopServices::openUrl(url);
}

}  // namespace qvn
