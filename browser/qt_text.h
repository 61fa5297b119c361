#pragma once
// CP932 bytes to and from the widgets' text.
#include <QString>

#include "common/bytes.h"

namespace qvn {

QString FromCp932(BytesView bytes);
Bytes ToCp932(const QString& text);
// Japanese literals of the window, written readable.
QString FromUtf8(std::u8string_view text);

}  // namespace qvn
