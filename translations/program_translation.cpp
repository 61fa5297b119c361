#include "translations/program_translation.h"

#include <QString>

#include "platform/data_folder.h"

namespace qvn {

std::string TranslationFile(Language language) {
  if (language == Language::kJapanese) return {};
  return FindDataFile(std::string("translations/qvn_") + LanguageCode(language) + ".qm");
}

bool QtMessageCatalogue::Load(Language language) {
  std::string file = TranslationFile(language);
  if (file.empty()) return language == Language::kJapanese;
  return translator_.load(QString::fromStdString(file));
}

std::string QtMessageCatalogue::Find(const char* context, const char* source) const {
  if (translator_.isEmpty()) return {};
  return translator_.translate(context, source).toStdString();
}

QString TranslateInto(Language language, const char* context, const char* source) {
  QtMessageCatalogue catalogue;
  if (language != Language::kJapanese && catalogue.Load(language)) {
    std::string found = catalogue.Find(context, source);
    if (!found.empty()) return QString::fromStdString(found);
  }
  return QString::fromUtf8(source);
}

}  // namespace qvn
