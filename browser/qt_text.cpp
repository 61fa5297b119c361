#include "browser/qt_text.h"

#include "common/encoding.h"

namespace qvn {

QString FromCp932(BytesView bytes) { return QString::fromStdString(Cp932ToUtf8(bytes)); }

Bytes ToCp932(const QString& text) { return Utf8ToCp932(text.toStdString()); }

QString FromUtf8(std::u8string_view text) {
  return QString::fromUtf8(reinterpret_cast<const char*>(text.data()),
                           static_cast<qsizetype>(text.size()));
}

}  // namespace qvn
