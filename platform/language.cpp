#include "platform/language.h"

#include <cstdlib>
#include <string_view>

#include "platform/file_io.h"
#include "platform/file_names.h"
#include "platform/profile.h"
#include "platform/settings_location.h"

namespace qvn {

namespace {

bool IsSet(const char* value) {
  return value != nullptr && *value != '\0';
}

bool IsCLocale(std::string_view locale) {
  return locale == "C" || locale == "POSIX" || locale.starts_with("C.");
}

// The settings file is small; a larger one is not a settings file.
constexpr std::size_t kMaxSettingsBytes = 1 << 20;

}  // namespace

Language LanguageOfLocale(const char* language, const char* lc_all, const char* lc_messages,
                          const char* lang) {
  const char* locale = IsSet(lc_all) ? lc_all : IsSet(lc_messages) ? lc_messages : lang;
  std::string_view chosen = IsSet(locale) ? locale : "C";
  if (IsSet(language) && !IsCLocale(chosen)) {
    std::string_view list = language;
    chosen = list.substr(0, list.find(':'));
  }
  return chosen.starts_with("en") ? Language::kEnglish : Language::kJapanese;
}

Language LanguageOfEnvironment() {
  return LanguageOfLocale(std::getenv("LANGUAGE"), std::getenv("LC_ALL"),
                          std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

std::optional<Language> ParseLanguageSetting(BytesView value) {
  while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
  while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.remove_suffix(1);
  if (EqualsIgnoringAsciiCase(value, "ja")) return Language::kJapanese;
  if (EqualsIgnoringAsciiCase(value, "en")) return Language::kEnglish;
  return std::nullopt;
}

const char* LanguageCode(Language language) {
  return language == Language::kEnglish ? "en" : "ja";
}

Language ProgramLanguage(const std::string& program_folder, const std::string& settings_file) {
  std::string path = SettingsPathForReading(SettingsFoldersFor(program_folder), settings_file);
  if (!path.empty()) {
    Bytes content;
    if (ReadWholeFile(path, content, kMaxSettingsBytes).ok) {
      if (auto value = Profile::Parse(content).GetString("Option", "Language"))
        if (auto chosen = ParseLanguageSetting(*value)) return *chosen;
    }
  }
  return LanguageOfEnvironment();
}

}  // namespace qvn
