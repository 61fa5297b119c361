#include "platform/manual.h"

#include "common/message_catalogue.h"
#include "platform/data_folder.h"

namespace qvn {

std::string ManualPath(const std::string& manual, Language language) {
  if (language != Language::kJapanese) {
    std::string translated = FindDataFile(std::string(LanguageCode(language)) + "/" + manual);
    if (!translated.empty()) return translated;
  }
  return FindDataFile(manual);
}

std::string ManualPath(const std::string& manual) {
  return ManualPath(manual, CatalogueLanguage());
}

Language CatalogueLanguage() {
  // The translation names its own language, as Qt's translations name their
  // layout direction: translators give their language's code for "ja".
  std::string code = Translate("Language", "ja");
  return ParseLanguageSetting(code).value_or(Language::kJapanese);
}

}  // namespace qvn
