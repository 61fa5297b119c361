#include "runtime/runtime_text.h"

#include <string_view>

#include "common/encoding.h"
#include "common/message_catalogue.h"

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

// The translation of `source`, when there is one other than itself: then the
// Japanese bytes are shown as the runtime has them, not through a round trip.
bool Translated(const char* source, std::string& text) {
  text = Translate(kContext, source);
  return text != source;
}

}  // namespace

std::string LocalizedRuntimeText(BytesView bytes) {
  std::string text;
  for (const char* message : kMessages)
    if (bytes == Utf8ToCp932(message)) return Translated(message, text) ? text : Cp932ToUtf8(bytes);
  std::string_view version(kVersion);
  Bytes prefix = Utf8ToCp932(version.substr(0, version.find("%1")));
  if (StartsWith(bytes, prefix) && Translated(kVersion, text))
    return FormatMessage(text, {Cp932ToUtf8(bytes.substr(prefix.size()))});
  return Cp932ToUtf8(bytes);
}

std::string LocalizedVariablePrompt(BytesView comment, BytesView label) {
  std::string text;
  if (Translated(kPrompt, text)) return FormatMessage(text, {Cp932ToUtf8(label)});
  return Cp932ToUtf8(comment);
}

std::string LocalizedVariablePrompt(BytesView comment) {
  std::string_view prompt(kPrompt);
  Bytes ending = Utf8ToCp932(prompt.substr(prompt.find("%1") + 2));
  if (comment.size() > ending.size() && comment.substr(comment.size() - ending.size()) == ending)
    return LocalizedVariablePrompt(comment, comment.substr(0, comment.size() - ending.size()));
  return Cp932ToUtf8(comment);
}

}  // namespace qvn
