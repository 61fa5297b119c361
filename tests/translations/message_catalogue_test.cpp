#include <gtest/gtest.h>

#include <string>

#include "common/message_catalogue.h"
#include "platform/manual.h"
#include "translations/program_translation.h"

namespace qvn {
namespace {

constexpr const char* kRunsPast =
    "物語本体が壊れています: オフセット %1 のレコードが本体の終わりを越えています";

class Installed {
 public:
  explicit Installed(const MessageCatalogue* catalogue) { InstallMessageCatalogue(catalogue); }
  ~Installed() { InstallMessageCatalogue(nullptr); }
};

TEST(MessageCatalogueTest, WithoutACatalogueTheJapaneseComesBackByteForByte) {
  EXPECT_EQ(Translate("StoryDamage", kRunsPast), kRunsPast);
  QtMessageCatalogue japanese;
  ASSERT_TRUE(japanese.Load(Language::kJapanese));
  Installed installed(&japanese);
  EXPECT_EQ(Translate("StoryDamage", kRunsPast), kRunsPast);
}

TEST(MessageCatalogueTest, TheEnglishFileTranslatesAndLeavesUnknownMessagesAlone) {
  QtMessageCatalogue english;
  std::string file = QVN_BINARY_DIR "/share/qvn/translations/qvn_en.qm";
  ASSERT_TRUE(english.Translator().load(QString::fromStdString(file))) << file;
  Installed installed(&english);
  EXPECT_EQ(FormatMessage(Translate("StoryDamage", kRunsPast), {"95"}),
            "The story body is damaged: the record at offset 95 runs past its end.");
  EXPECT_EQ(Translate("StoryDamage", "未知の文"), "未知の文");
  EXPECT_EQ(Translate("OtherContext", kRunsPast), kRunsPast);
  // The translation names its language, which picks the manual F1 opens.
  EXPECT_EQ(CatalogueLanguage(), Language::kEnglish);
  EXPECT_EQ(ManualPath(kBrowserManual), ManualPath(kBrowserManual, Language::kEnglish));
}

TEST(MessageCatalogueTest, ArgumentsAreFilledInOnePass) {
  struct Row {
    const char* pattern;
    std::initializer_list<std::string_view> args;
    const char* expected;
  };
  const Row rows[] = {
      {"%1 と %2", {"a", "b"}, "a と b"},
      {"%2%1", {"a", "b"}, "ba"},
      {"%1", {"%2"}, "%2"},      // an argument's own marker stays
      {"%1 %2", {"x"}, "x %2"},  // a number without an argument stays
      {"100%", {"x"}, "100%"},   // a lone % at the end
      {"%0 %a", {"x"}, "%0 %a"},
      {"%9", {"1", "2", "3", "4", "5", "6", "7", "8", "nine"}, "nine"},
      {"", {"x"}, ""},
  };
  for (const Row& row : rows)
    EXPECT_EQ(FormatMessage(row.pattern, row.args), row.expected) << row.pattern;
}

}  // namespace
}  // namespace qvn
