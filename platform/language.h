#pragma once
// Which language the programs speak: Japanese, the default, or English when
// the settings or the user's locale ask for it.
#include <optional>
#include <string>

#include "common/bytes.h"

namespace qvn {

enum class Language { kJapanese, kEnglish };

// The values of LANGUAGE, LC_ALL, LC_MESSAGES and LANG (any may be null). The
// first one set and not empty decides, as gettext reads them; LANGUAGE is a
// list whose first entry counts, and is ignored under the C locale. English
// when that value starts with "en", Japanese for anything else.
Language LanguageOfLocale(const char* language, const char* lc_all, const char* lc_messages,
                          const char* lang);

// The same, from this process's environment.
Language LanguageOfEnvironment();

// The settings key's value: "ja" or "en" (letter case ignored, blanks around
// it dropped); nullopt for empty or anything else, which means "as the locale
// says".
std::optional<Language> ParseLanguageSetting(BytesView value);

// "ja" or "en", as the settings and the translation files name them.
const char* LanguageCode(Language language);

// The language for a program whose settings file is `settings_file` (for
// example "qvn.ini") in the program's settings folders: its [Option]
// Language key when that names one, else the locale's.
Language ProgramLanguage(const std::string& program_folder, const std::string& settings_file);

}  // namespace qvn
