#pragma once
// What the workbench window's files share: its caption, the source filter and
// the conversions between paths and the texts shown.
#include <QFile>
#include <QString>
#include <string>

namespace qvn::form {

inline constexpr char kCaption[] = "QVN-Maker3";
inline constexpr char kOpenFilter[] =
    "Source Files (*.SRC *.src);;Text Files (*.TXT *.txt);;All Files (*)";

inline QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}
inline QString FromPath(const std::string& path) {
  return QFile::decodeName(path.c_str());
}
inline std::string ToPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

}  // namespace qvn::form
