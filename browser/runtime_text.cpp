#include "browser/runtime_text.h"

#include <QCoreApplication>

#include "browser/qt_text.h"
#include "common/encoding.h"

namespace qvn {

namespace {

constexpr char kContext[] = "qvn::RuntimeText";

// The whole messages, each the UTF-8 of one of the runtime's constants.
const char* const kMessages[] = {
    QT_TRANSLATE_NOOP("qvn::RuntimeText", "開く"),
    QT_TRANSLATE_NOOP("qvn::RuntimeText", "ユーザーデータ書込み不能"),
    QT_TRANSLATE_NOOP("qvn::RuntimeText", "未使用ファイルです。"),
    QT_TRANSLATE_NOOP("qvn::RuntimeText", "使用中です。"),
    QT_TRANSLATE_NOOP("qvn::RuntimeText", "破損したファイルです。"),
    QT_TRANSLATE_NOOP("qvn::RuntimeText", "読めません"),
    QT_TRANSLATE_NOOP("qvn::RuntimeText", "初期化(OKならもう一度消去を押す)"),
};

// The version text's prefix; the version itself follows.
const char* const kVersion = QT_TRANSLATE_NOOP("qvn::RuntimeText", "作品のバージョン : %1");
const char* const kPrompt = QT_TRANSLATE_NOOP("qvn::RuntimeText", "%1を入力して下さい");

bool Translated(const char* source, QString& text) {
  text = QCoreApplication::translate(kContext, source);
  return text != QString::fromUtf8(source);
}

}  // namespace

QString RuntimeText(BytesView bytes) {
  QString text;
  for (const char* message : kMessages)
    if (bytes == Utf8ToCp932(message)) return Translated(message, text) ? text : FromCp932(bytes);
  Bytes prefix =
      Utf8ToCp932(std::string_view(kVersion).substr(0, std::string_view(kVersion).find("%1")));
  if (StartsWith(bytes, prefix) && Translated(kVersion, text))
    return text.arg(FromCp932(bytes.substr(prefix.size())));
  return FromCp932(bytes);
}

QString VariablePrompt(BytesView comment, BytesView label) {
  QString text;
  if (Translated(kPrompt, text)) return text.arg(FromCp932(label));
  return FromCp932(comment);
}

}  // namespace qvn
