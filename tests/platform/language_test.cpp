#include "platform/language.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/temp_folder.h"

namespace qvn {
namespace {

constexpr Language kJa = Language::kJapanese;
constexpr Language kEn = Language::kEnglish;

struct LocaleRow {
  const char* language;
  const char* lc_all;
  const char* lc_messages;
  const char* lang;
  Language expected;
};

TEST(LanguageTest, TheFirstLocaleVariableSetDecides) {
  const LocaleRow rows[] = {
      {nullptr, nullptr, nullptr, nullptr, kJa},
      {nullptr, nullptr, nullptr, "en_US.UTF-8", kEn},
      {nullptr, nullptr, nullptr, "ja_JP.UTF-8", kJa},
      {nullptr, nullptr, nullptr, "C.UTF-8", kJa},
      {nullptr, nullptr, nullptr, "C", kJa},
      {nullptr, nullptr, nullptr, "de_DE.UTF-8", kJa},
      {nullptr, nullptr, nullptr, "en", kEn},
      {nullptr, nullptr, nullptr, "e", kJa},
      // LC_MESSAGES over LANG, both ways.
      {nullptr, nullptr, "en_GB.UTF-8", "ja_JP.UTF-8", kEn},
      {nullptr, nullptr, "ja_JP.UTF-8", "en_US.UTF-8", kJa},
      // An empty value counts as unset.
      {nullptr, nullptr, "", "en_US.UTF-8", kEn},
      // LC_ALL over both.
      {nullptr, "en_US.UTF-8", "ja_JP.UTF-8", "ja_JP.UTF-8", kEn},
      {nullptr, "ja_JP.UTF-8", "en_US.UTF-8", "en_US.UTF-8", kJa},
      {nullptr, "C.UTF-8", "en_US.UTF-8", "en_US.UTF-8", kJa},
      {nullptr, "", "en_US.UTF-8", nullptr, kEn},
      // LANGUAGE over all of them, its first entry counting...
      {"en:ja", "ja_JP.UTF-8", nullptr, nullptr, kEn},
      {"ja:en", "en_US.UTF-8", nullptr, nullptr, kJa},
      {"en_US", nullptr, nullptr, "de_DE.UTF-8", kEn},
      {"", nullptr, nullptr, "en_US.UTF-8", kEn},
      // ...but not under the C locale, as gettext has it.
      {"en", nullptr, nullptr, "C.UTF-8", kJa},
      {"en", nullptr, nullptr, nullptr, kJa},
      {"en", "POSIX", nullptr, "en_US.UTF-8", kJa},
  };
  for (const LocaleRow& row : rows) {
    auto show = [](const char* value) { return value ? std::string("\"") + value + "\"" : "null"; };
    EXPECT_EQ(LanguageOfLocale(row.language, row.lc_all, row.lc_messages, row.lang), row.expected)
        << show(row.language) << " " << show(row.lc_all) << " " << show(row.lc_messages) << " "
        << show(row.lang);
  }
}

TEST(LanguageTest, TheSettingNamesJapaneseOrEnglishOrNothing) {
  EXPECT_EQ(ParseLanguageSetting("ja"), kJa);
  EXPECT_EQ(ParseLanguageSetting("en"), kEn);
  EXPECT_EQ(ParseLanguageSetting(" EN\t"), kEn);
  EXPECT_EQ(ParseLanguageSetting("Ja"), kJa);
  EXPECT_EQ(ParseLanguageSetting(""), std::nullopt);
  EXPECT_EQ(ParseLanguageSetting("english"), std::nullopt);
  EXPECT_EQ(ParseLanguageSetting("e"), std::nullopt);
  EXPECT_EQ(ParseLanguageSetting(BytesView("en\0", 3)), std::nullopt);
  EXPECT_STREQ(LanguageCode(kJa), "ja");
  EXPECT_STREQ(LanguageCode(kEn), "en");
}

TEST(LanguageTest, TheSettingsFileOverridesTheLocale) {
  testing::TempFolder folder;
  std::string program = folder.path().string() + "/";
  auto write = [&](const char* text) { testing::WriteBytes(folder / "qvn.ini", text); };
  ::setenv("XDG_CONFIG_HOME", (folder.path() / "config").c_str(), 1);
  ::setenv("LANGUAGE", "", 1);
  ::setenv("LC_ALL", "ja_JP.UTF-8", 1);
  write("[Option]\r\nLanguage=en\r\n");
  EXPECT_EQ(ProgramLanguage(program, "qvn.ini"), kEn);
  ::setenv("LC_ALL", "en_US.UTF-8", 1);
  write("[OPTION]\r\nLANGUAGE=ja\r\n");
  EXPECT_EQ(ProgramLanguage(program, "qvn.ini"), kJa);
  write("[Option]\r\nLanguage=\r\n");
  EXPECT_EQ(ProgramLanguage(program, "qvn.ini"), kEn);
  write("[Font]\r\nLanguage=ja\r\n");
  EXPECT_EQ(ProgramLanguage(program, "qvn.ini"), kEn);
}

}  // namespace
}  // namespace qvn
