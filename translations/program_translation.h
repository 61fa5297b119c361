#pragma once
// The programs' translation: the catalogue Qt-free code reads its messages
// from, filled from the compiled translation file of the chosen language.
#include <QString>
#include <QTranslator>
#include <string>

#include "common/message_catalogue.h"
#include "platform/language.h"

namespace qvn {

class QtMessageCatalogue : public MessageCatalogue {
 public:
  // Loads "translations/qvn_<code>.qm" from the data folders (beside the
  // program in a build folder first, then the installed one). Japanese, the
  // source language, has no file and loads nothing; false when an English
  // file is missing or unreadable (the programs then speak Japanese).
  bool Load(Language language);
  std::string Find(const char* context, const char* source) const override;
  QTranslator& Translator() { return translator_; }

 private:
  QTranslator translator_;
};

// The file of `language`'s translation; empty when there is none.
std::string TranslationFile(Language language);

// `source` (UTF-8 Japanese) of `context` in `language`, whichever language
// the program speaks now: a choice of language is confirmed in the language
// chosen. The Japanese text when there is no translation.
QString TranslateInto(Language language, const char* context, const char* source);

}  // namespace qvn
