// The manuals F1 opens: one per program in each language, with the same
// anchors, the English one in en/, and the Japanese one wherever a language
// lacks its own.
#include "platform/manual.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "common/message_catalogue.h"
#include "platform/program_folder.h"

namespace qvn {
namespace {

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::set<std::string> Anchors(const std::string& html) {
  std::set<std::string> ids;
  static const std::regex kId("id=\"([^\"]+)\"");
  for (auto it = std::sregex_iterator(html.begin(), html.end(), kId); it != std::sregex_iterator();
       ++it)
    ids.insert((*it)[1]);
  return ids;
}

TEST(ManualTest, EachProgramHasItsManualInBothLanguagesWithTheSameAnchors) {
  struct Row {
    const char* manual;
    const char* topic;  // the anchor F1 opens
  };
  for (const Row& row :
       {Row{kBrowserManual, "HID00000002"}, Row{kWorkbenchManual, "HID00000005"}}) {
    std::string japanese = ManualPath(row.manual, Language::kJapanese);
    std::string english = ManualPath(row.manual, Language::kEnglish);
    ASSERT_FALSE(japanese.empty()) << row.manual;
    ASSERT_FALSE(english.empty()) << row.manual;
    EXPECT_EQ(std::filesystem::path(japanese).filename(), row.manual);
    EXPECT_EQ(std::filesystem::path(english).parent_path().filename(), "en") << english;
    EXPECT_EQ(std::filesystem::path(english).filename(), row.manual);

    std::string ja_text = ReadText(japanese);
    std::string en_text = ReadText(english);
    EXPECT_NE(ja_text.find("<html lang=\"ja\">"), std::string::npos) << japanese;
    EXPECT_NE(en_text.find("<html lang=\"en\">"), std::string::npos) << english;
    EXPECT_TRUE(Anchors(ja_text).count(row.topic)) << japanese;
    EXPECT_EQ(Anchors(ja_text), Anchors(en_text)) << row.manual;
    // Each is written in its own language: kana in the Japanese one, none in
    // the English one's prose (U+3040 to U+30FF start with E3 81..83).
    EXPECT_NE(ja_text.find("ます。"), std::string::npos) << japanese;
    EXPECT_FALSE(std::regex_search(en_text, std::regex("\xE3[\x81-\x83]"))) << english;
  }
}

TEST(ManualTest, TheManualsNameTheFontsTheirDialogsOffer) {
  // The browser's font dialog offers fixed-pitch faces and the Japanese faces
  // whose half-width characters are half as wide; the workbench's any face.
  for (Language language : {Language::kJapanese, Language::kEnglish}) {
    std::string browser = ReadText(ManualPath(kBrowserManual, language));
    std::string workbench = ReadText(ManualPath(kWorkbenchManual, language));
    for (const std::string* text : {&browser, &workbench}) {
      EXPECT_EQ(text->find("fonts only"), std::string::npos);
      EXPECT_EQ(text->find("monospaced"), std::string::npos);
      EXPECT_EQ(text->find("等幅フォントのみ"), std::string::npos);
    }
    EXPECT_EQ(workbench.find("等幅"), std::string::npos);
    EXPECT_EQ(workbench.find("fixed-pitch"), std::string::npos);
  }
}

TEST(ManualTest, AManualMissingInEnglishIsTheJapaneseOne) {
  // Only in the program's own folder, the first place a data file is found.
  std::string name = "manual-test-" + std::to_string(::getpid()) + ".html";
  std::string only_japanese = ProgramFolder() + name;
  std::ofstream(only_japanese) << "<html lang=\"ja\"></html>\n";
  EXPECT_EQ(ManualPath(name, Language::kEnglish), only_japanese);
  EXPECT_EQ(ManualPath(name, Language::kJapanese), only_japanese);
  std::filesystem::remove(only_japanese);
  EXPECT_EQ(ManualPath(name, Language::kEnglish), "");
}

class EnglishCatalogue : public MessageCatalogue {
 public:
  std::string Find(const char* context, const char* source) const override {
    return std::string(context) == "Language" && std::string(source) == "ja" ? "en" : "";
  }
};

TEST(ManualTest, F1OpensTheManualOfTheLanguageTheWindowsSpeak) {
  EXPECT_EQ(CatalogueLanguage(), Language::kJapanese);
  EXPECT_EQ(ManualPath(kBrowserManual), ManualPath(kBrowserManual, Language::kJapanese));
  EnglishCatalogue english;
  InstallMessageCatalogue(&english);
  EXPECT_EQ(CatalogueLanguage(), Language::kEnglish);
  EXPECT_EQ(ManualPath(kWorkbenchManual), ManualPath(kWorkbenchManual, Language::kEnglish));
  InstallMessageCatalogue(nullptr);
  EXPECT_EQ(ManualPath(kWorkbenchManual), ManualPath(kWorkbenchManual, Language::kJapanese));
}

}  // namespace
}  // namespace qvn
