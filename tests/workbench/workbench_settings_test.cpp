#include "workbench/workbench_settings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/encoding.h"

namespace qvn {
namespace {

namespace fs = std::filesystem;

TEST(WorkbenchSettingsTest, MissingValuesGiveTheDefaults) {
  WorkbenchSettings settings = ReadWorkbenchSettings(Profile{});
  EXPECT_EQ(settings.font_name, "ＭＳ ゴシック");
  EXPECT_EQ(settings.font_size, 10);
  EXPECT_TRUE(settings.self_edit);
  EXPECT_EQ(settings.editor, "xdg-open");
  EXPECT_FALSE(settings.block_names);
  EXPECT_TRUE(settings.simple_warnings);
  EXPECT_TRUE(settings.jump_check);
}

TEST(WorkbenchSettingsTest, BooleansAreIntegersAndUnreadableOnesKeepTheDefault) {
  WorkbenchSettings settings = ReadWorkbenchSettings(
      Profile::Parse("[Option]\r\nSelfEdit=0\r\nJumpCheck=yes\r\nWarn=2\r\nBlock=0x1\r\n"
                     "[Font]\r\nSize=abc\r\nName=" +
                     Sjis(u8"ＭＳ 明朝") + "\r\n"));
  EXPECT_FALSE(settings.self_edit);
  EXPECT_TRUE(settings.jump_check);
  EXPECT_TRUE(settings.simple_warnings);
  EXPECT_TRUE(settings.block_names);
  EXPECT_EQ(settings.font_size, 10);
  EXPECT_EQ(settings.font_name, "ＭＳ 明朝");
  EXPECT_EQ(ReadWorkbenchSettings(Profile::Parse("[Font]\nSize=-4\n")).font_size, 10);
}

TEST(WorkbenchSettingsTest, SavingWritesSevenKeysInOrderAndKeepsOthers) {
  fs::path folder = fs::path(testing::TempDir()) / "workbench_settings_test";
  fs::remove_all(folder);
  fs::create_directories(folder);
  std::string path = (folder / "QvnMakeW.ini").string();
  ASSERT_TRUE(WriteFileDirect(path, "[Mine]\r\nKeep=1\r\n[Option]\r\nEditor=vi\r\n").ok);
  WorkbenchSettings settings;
  settings.font_size = 12;
  settings.self_edit = false;
  settings.editor = "/usr/bin/gedit";
  settings.jump_check = false;
  ASSERT_TRUE(SaveWorkbenchSettings(settings, path, path).ok);
  Bytes written;
  ASSERT_TRUE(ReadWholeFile(path, written).ok);
  EXPECT_EQ(written,
            "[Mine]\r\nKeep=1\r\n[Option]\r\nEditor=/usr/bin/gedit\r\nSelfEdit=0\r\n"
            "Block=0\r\nWarn=1\r\nJumpCheck=0\r\n[Font]\r\nName=" +
                Sjis(u8"ＭＳ ゴシック") + "\r\nSize=12\r\n");
  WorkbenchSettings again = ReadWorkbenchSettings(ReadProfileFile(path));
  EXPECT_EQ(again.editor, "/usr/bin/gedit");
  EXPECT_FALSE(again.self_edit);
  EXPECT_FALSE(again.jump_check);
  EXPECT_EQ(again.font_size, 12);
  EXPECT_FALSE(SaveWorkbenchSettings(settings, "", (folder / "no" / "x.ini").string()).ok);
}

TEST(WorkbenchSettingsTest, SourceEncodingIsKeptOnceChosen) {
  EXPECT_EQ(ReadWorkbenchSettings(Profile{}).source_encoding, SourceEncoding::kAuto);
  EXPECT_EQ(
      ReadWorkbenchSettings(Profile::Parse("[Option]\nSourceEncoding=UTF-8\n")).source_encoding,
      SourceEncoding::kUtf8);
  EXPECT_EQ(
      ReadWorkbenchSettings(Profile::Parse("[Option]\nSourceEncoding=ebcdic\n")).source_encoding,
      SourceEncoding::kAuto);
  Profile profile;
  WorkbenchSettings settings;
  StoreWorkbenchSettings(settings, profile);
  EXPECT_FALSE(profile.GetString("Option", "SourceEncoding"));  // auto adds no key
  settings.source_encoding = SourceEncoding::kCp932;
  StoreWorkbenchSettings(settings, profile);
  EXPECT_EQ(profile.GetString("Option", "SourceEncoding"), "cp932");
  settings.source_encoding = SourceEncoding::kAuto;  // chosen back: remembered too
  StoreWorkbenchSettings(settings, profile);
  EXPECT_EQ(profile.GetString("Option", "SourceEncoding"), "auto");
}

// Option/Language: "ja" or "en" is the choice; anything else is no choice.
// Writing "as the system" takes out a key that named a language and leaves a
// value this version does not know; a file without the key gets none.
TEST(WorkbenchSettingsTest, TheLanguageIsKeptOnceChosen) {
  struct Row {
    const char* file;
    std::optional<Language> read;
    std::optional<Language> chosen;
    std::optional<Bytes> written;
  };
  const Row rows[] = {
      {"", std::nullopt, std::nullopt, std::nullopt},
      {"", std::nullopt, Language::kEnglish, "en"},
      {"[Option]\nLanguage=en\n", Language::kEnglish, Language::kJapanese, "ja"},
      {"[option]\nlanguage= JA \n", Language::kJapanese, std::nullopt, std::nullopt},
      {"[Option]\nLanguage=EN\n", Language::kEnglish, std::nullopt, std::nullopt},
      {"[Option]\nLanguage=fr\n", std::nullopt, std::nullopt, "fr"},
      {"[Option]\nLanguage=\n", std::nullopt, std::nullopt, ""},
      {"[Option]\nLanguage=english\n", std::nullopt, Language::kEnglish, "en"},
  };
  for (const Row& row : rows) {
    Profile profile = Profile::Parse(row.file);
    EXPECT_EQ(ReadWorkbenchSettings(profile).language, row.read) << row.file;
    WorkbenchSettings settings;
    settings.language = row.chosen;
    StoreWorkbenchSettings(settings, profile);
    EXPECT_EQ(profile.GetString("Option", "Language"), row.written) << row.file;
  }
}

TEST(WorkbenchSettingsTest, ValuesOutOfRangeGiveTheDefaults) {
  auto size = [](const char* value) {
    return ReadWorkbenchSettings(Profile::Parse(std::string("[Font]\nSize=") + value + "\n"))
        .font_size;
  };
  EXPECT_EQ(size("0"), 10);
  EXPECT_EQ(size("1"), 1);
  EXPECT_EQ(size("200"), 200);
  EXPECT_EQ(size("201"), 10);
  EXPECT_EQ(size("2147483647"), 10);
  auto name = [](const Bytes& value) {
    return ReadWorkbenchSettings(Profile::Parse("[Font]\nName=" + value + "\n")).font_name;
  };
  EXPECT_EQ(name(Bytes(255, 'F')), Bytes(255, 'F'));
  EXPECT_EQ(name(Bytes(256, 'F')), "ＭＳ ゴシック");
  EXPECT_EQ(name("Mono\x1b[2J"), "ＭＳ ゴシック");
  EXPECT_EQ(ReadWorkbenchSettings(Profile::Parse("[Option]\nEditor=vi\x07\n")).editor, "xdg-open");
}

TEST(WorkbenchSettingsTest, AFileThatCannotBeReadIsNotReplaced) {
  fs::path folder = fs::path(testing::TempDir()) / "workbench_settings_unreadable";
  fs::remove_all(folder);
  fs::create_directories(folder);
  fs::path link = folder / "QvnMakeW.ini";
  fs::create_symlink("/nonexistent-drive/QvnMakeW.ini", link);
  std::FILE* warnings = std::tmpfile();
  EXPECT_TRUE(
      SaveWorkbenchSettings(WorkbenchSettings{}, link.string(), link.string(), warnings).ok);
  EXPECT_GT(std::ftell(warnings), 0) << "one warning";
  std::fclose(warnings);
  EXPECT_TRUE(fs::is_symlink(link));
  fs::remove_all(folder);
}

}  // namespace
}  // namespace qvn
