#include "browser/browser_settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QGuiApplication>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

#include "browser/main_form.h"
#include "common/encoding.h"
#include "tests/support/temp_folder.h"

namespace qvn::testing {
namespace {

TEST(BrowserSettings, DefaultsWithoutAFile) {
  TempFolder folder;
  BrowserSettings settings = LoadBrowserSettings(folder.path().string() + "/");
  EXPECT_EQ(settings.left, 0);
  EXPECT_EQ(settings.top, 0);
  EXPECT_EQ(settings.width, 620);
  EXPECT_EQ(settings.height, 480);
  EXPECT_EQ(settings.font_name, Sjis(u8"ＭＳ 明朝"));
  EXPECT_EQ(settings.font_size, 16);
  EXPECT_TRUE(settings.Bold());
  EXPECT_TRUE(settings.Italic());
  EXPECT_TRUE(settings.mid && settings.wav && settings.other);
  EXPECT_FALSE(settings.old_exe || settings.low_res || settings.contrast);
  EXPECT_EQ(settings.gap_tenths, 12);
}

TEST(BrowserSettings, ReadingRules) {
  Profile profile = Profile::Parse(
      "[window]\r\nTop=0x10\r\nWIDTH=wide\r\n[FONT]\r\nSTYLE=5\r\n[OPTION]\r\nMID=0\r\n"
      "OLDEXE=7\r\nGAP=25\r\n");
  BrowserSettings settings = ReadBrowserSettings(profile);
  EXPECT_EQ(settings.top, 16);
  EXPECT_EQ(settings.width, 620);
  EXPECT_FALSE(settings.Bold());
  EXPECT_FALSE(settings.Italic());
  EXPECT_FALSE(settings.mid);
  EXPECT_TRUE(settings.old_exe);
  EXPECT_EQ(settings.gap_tenths, 25);
  EXPECT_EQ(ReadBrowserSettings(Profile::Parse("[OPTION]\r\nGAP=0\r\n")).gap_tenths, 12);
}

TEST(BrowserSettings, RoundTripKeepsForeignKeys) {
  TempFolder folder;
  std::string program = folder.path().string() + "/";
  WriteBytes(folder / "qvn.ini", "[OTHER]\r\nKEEP=me\r\n");
  BrowserSettings settings;
  settings.left = 40;
  settings.width = 800;
  settings.font_name = Sjis(u8"ＭＳ ゴシック");
  settings.font_style = 2;
  settings.contrast = true;
  settings.gap_tenths = 13;
  SaveBrowserSettings(settings, program);
  Bytes file = ReadBytes(folder / "qvn.ini");
  EXPECT_NE(file.find("KEEP=me"), Bytes::npos);
  EXPECT_NE(file.find("GAP=13\r\n"), Bytes::npos);
  EXPECT_NE(file.find("STYLE=2\r\n"), Bytes::npos);
  BrowserSettings back = LoadBrowserSettings(program);
  EXPECT_EQ(back.left, 40);
  EXPECT_EQ(back.width, 800);
  EXPECT_EQ(back.font_name, Sjis(u8"ＭＳ ゴシック"));
  EXPECT_TRUE(back.Italic());
  EXPECT_FALSE(back.Bold());
  EXPECT_TRUE(back.contrast);
  EXPECT_EQ(back.gap_tenths, 13);
}

// [OPTION] LANGUAGE: "ja" or "en" is the choice; anything else is no choice.
// Writing "as the system" takes out a key that named a language and leaves a
// value this version does not know; a file without the key gets none.
TEST(BrowserSettings, TheLanguageIsKeptOnceChosen) {
  struct Row {
    const char* file;
    std::optional<Language> read;
    std::optional<Language> chosen;
    std::optional<Bytes> written;
  };
  const Row rows[] = {
      {"", std::nullopt, std::nullopt, std::nullopt},
      {"", std::nullopt, Language::kEnglish, "en"},
      {"[OPTION]\r\nLANGUAGE=en\r\n", Language::kEnglish, Language::kJapanese, "ja"},
      {"[Option]\r\nLanguage=ja\r\n", Language::kJapanese, std::nullopt, std::nullopt},
      {"[OPTION]\r\nLANGUAGE=fr\r\n", std::nullopt, std::nullopt, "fr"},
      {"[OPTION]\r\nLANGUAGE=\r\n", std::nullopt, std::nullopt, ""},
      {"[OPTION]\r\nLANGUAGE=e\r\n", std::nullopt, Language::kJapanese, "ja"},
  };
  for (const Row& row : rows) {
    Profile profile = Profile::Parse(row.file);
    EXPECT_EQ(ReadBrowserSettings(profile).language, row.read) << row.file;
    BrowserSettings settings;
    settings.language = row.chosen;
    WriteBrowserSettings(settings, profile);
    EXPECT_EQ(profile.GetString("OPTION", "LANGUAGE"), row.written) << row.file;
  }
}

TEST(BrowserSettings, EveryValueOutOfItsRangeGivesTheDefault) {
  struct Case {
    const char* line;
    int BrowserSettings::*field;
    int expected;
  } cases[] = {
      {"[WINDOW]\nTOP=-32768", &BrowserSettings::top, -32768},
      {"[WINDOW]\nTOP=-32769", &BrowserSettings::top, 0},
      {"[WINDOW]\nTOP=32767", &BrowserSettings::top, 32767},
      {"[WINDOW]\nTOP=32768", &BrowserSettings::top, 0},
      {"[WINDOW]\nLEFT=-32769", &BrowserSettings::left, 0},
      {"[WINDOW]\nLEFT=32767", &BrowserSettings::left, 32767},
      {"[WINDOW]\nWIDTH=320", &BrowserSettings::width, 320},
      {"[WINDOW]\nWIDTH=319", &BrowserSettings::width, 620},
      {"[WINDOW]\nWIDTH=-1", &BrowserSettings::width, 620},
      {"[WINDOW]\nWIDTH=32767", &BrowserSettings::width, 32767},
      {"[WINDOW]\nWIDTH=32768", &BrowserSettings::width, 620},
      {"[WINDOW]\nHEIGHT=240", &BrowserSettings::height, 240},
      {"[WINDOW]\nHEIGHT=239", &BrowserSettings::height, 480},
      {"[WINDOW]\nHEIGHT=32767", &BrowserSettings::height, 32767},
      {"[WINDOW]\nHEIGHT=2147483647", &BrowserSettings::height, 480},
      {"[FONT]\nSIZE=8", &BrowserSettings::font_size, 8},
      {"[FONT]\nSIZE=7", &BrowserSettings::font_size, 16},
      {"[FONT]\nSIZE=48", &BrowserSettings::font_size, 48},
      {"[FONT]\nSIZE=49", &BrowserSettings::font_size, 16},
      {"[FONT]\nSTYLE=-2147483648", &BrowserSettings::font_style, -2147483647 - 1},
      {"[OPTION]\nGAP=1", &BrowserSettings::gap_tenths, 1},
      {"[OPTION]\nGAP=0", &BrowserSettings::gap_tenths, 12},
      {"[OPTION]\nGAP=100", &BrowserSettings::gap_tenths, 100},
      {"[OPTION]\nGAP=101", &BrowserSettings::gap_tenths, 12},
      {"[OPTION]\nSPEECHRATE=-2", &BrowserSettings::speech_rate, -2},
      {"[OPTION]\nSPEECHRATE=-3", &BrowserSettings::speech_rate, 0},
      {"[OPTION]\nSPEECHRATE=2", &BrowserSettings::speech_rate, 2},
      {"[OPTION]\nSPEECHRATE=3", &BrowserSettings::speech_rate, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ReadBrowserSettings(Profile::Parse(c.line)).*c.field, c.expected) << c.line;

  auto font = [](const Bytes& value) {
    return ReadBrowserSettings(Profile::Parse("[FONT]\nNAME=" + value + "\n")).font_name;
  };
  EXPECT_EQ(font(Bytes(255, 'F')), Bytes(255, 'F'));
  EXPECT_EQ(font(Bytes(256, 'F')), Sjis(u8"ＭＳ 明朝"));
  EXPECT_EQ(font("IPA\x01Gothic"), Sjis(u8"ＭＳ 明朝"));
}

TEST(BrowserSettings, WindowStateKeepsTheWindowOnTheScreen) {
  ScreenArea screen{0, 0, 1280, 1024};
  BrowserSettings settings =
      ReadBrowserSettings(Profile::Parse("[WINDOW]\nWIDTH=-1\nHEIGHT=2147483647\n"));
  BrowserWindowState state = WindowStateFor(settings, screen);
  EXPECT_EQ(state.placement, (WindowPlacement{{0, 0}, {620, 480}}));

  settings.left = 1000;
  settings.top = 900;
  settings.width = 5000;
  settings.height = 300;
  EXPECT_EQ(WindowStateFor(settings, screen).placement, (WindowPlacement{{0, 724}, {1280, 300}}));

  // Values that did not come through the reader are checked all the same.
  BrowserSettings odd;
  odd.width = -5;
  odd.font_size = 0;
  odd.gap_tenths = 2147483647;
  state = WindowStateFor(odd, screen);
  EXPECT_EQ(state.placement.size, (Size{620, 480}));
  EXPECT_EQ(state.font_size, 16);
  EXPECT_EQ(state.gap_tenths, 12);
}

TEST(BrowserSettings, AllowedStoriesAreNumberedKeysOfTheirOwnSection) {
  BrowserSettings settings = ReadBrowserSettings(
      Profile::Parse("[PROGRAMS]\nOFF=2\nSTORY1=/s/a.qvn\nstory2=relative.qvn\nSTORY3=/s/a.qvn\n"
                     "STORY4=/s/b.qvn\nSTORY6=/s/after-a-gap.qvn\n"));
  EXPECT_TRUE(settings.programs_off);
  EXPECT_EQ(settings.allowed_stories, (std::vector<std::string>{"/s/a.qvn", "/s/b.qvn"}));

  // Written back without the withdrawn and the unreachable ones, which can
  // then never come back when the list grows.
  Profile profile = Profile::Parse(
      "[PROGRAMS]\r\nSTORY1=/old.qvn\r\nSTORY3=/gap.qvn\r\n"
      "MINE=kept\r\n[OPTION]\r\nGAP=12\r\n");
  settings.programs_off = false;
  settings.allowed_stories = {"/s/b.qvn", "/s/c.qvn"};
  WriteBrowserSettings(settings, profile);
  Bytes text = profile.Serialize();
  EXPECT_NE(text.find("[PROGRAMS]\r\nMINE=kept\r\nOFF=0\r\nSTORY1=/s/b.qvn\r\nSTORY2=/s/c.qvn\r\n"),
            Bytes::npos)
      << text;
  EXPECT_EQ(text.find("gap.qvn"), Bytes::npos);
  EXPECT_EQ(ReadBrowserSettings(Profile::Parse(text)).allowed_stories, settings.allowed_stories);

  // At most 1000 are kept.
  std::string many = "[PROGRAMS]\n";
  for (int n = 1; n <= 1001; ++n)
    many += "STORY" + std::to_string(n) + "=/s/" + std::to_string(n) + ".qvn\n";
  settings = ReadBrowserSettings(Profile::Parse(many));
  ASSERT_EQ(settings.allowed_stories.size(), 1000u);
  EXPECT_EQ(settings.allowed_stories.back(), "/s/1000.qvn");
}

// The window a person starts with such a file: on the screen, at once.
TEST(BrowserSettings, TheWindowOpensWithinTheScreen) {
  TempFolder folder;
  std::filesystem::create_directories(folder / "program");
  WriteBytes(folder / "program" / "qvn.ini",
             "[WINDOW]\r\nTOP=-1\r\nLEFT=99999\r\nWIDTH=-1\r\nHEIGHT=2147483647\r\n"
             "[OPTION]\r\nGAP=2147483647\r\n");
  MainForm form((folder / "program").string() + "/");
  QRect screen = QGuiApplication::primaryScreen()->availableVirtualGeometry();
  EXPECT_EQ(form.size(), QSize(std::min(620, screen.width()), std::min(480, screen.height())));
  EXPECT_TRUE(screen.contains(QRect(form.pos(), form.size()))) << form.pos().x();
  EXPECT_EQ(form.GapTenths(), 12);

  WriteBytes(folder / "program" / "qvn.ini", "[WINDOW]\r\nWIDTH=32767\r\nHEIGHT=32767\r\n");
  MainForm large((folder / "program").string() + "/");
  EXPECT_EQ(large.size(), screen.size());
}

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(folder_ / "program");
    std::filesystem::create_directories(folder_ / "home");
    const char* old = std::getenv("XDG_CONFIG_HOME");
    if (old) saved_config_home_ = old;
    had_config_home_ = old != nullptr;
    ::setenv("XDG_CONFIG_HOME", (folder_ / "home").c_str(), 1);
  }
  void TearDown() override {
    ::chmod((folder_ / "program").c_str(), 0755);
    if (had_config_home_)
      ::setenv("XDG_CONFIG_HOME", saved_config_home_.c_str(), 1);
    else
      ::unsetenv("XDG_CONFIG_HOME");
  }
  std::string Program() const { return (folder_ / "program").string() + "/"; }
  std::filesystem::path Config() const { return folder_ / "home" / "qvn" / "qvn.ini"; }

  TempFolder folder_;
  std::string saved_config_home_;
  bool had_config_home_ = false;
};

TEST_F(SettingsFileTest, AFileThatCannotBeReadIsLeftAsItIsWithOneWarning) {
  // A link to a drive that is not mounted: the user's file, out of reach.
  std::filesystem::path link = folder_ / "program" / "qvn.ini";
  std::filesystem::create_symlink("/nonexistent-drive/qvn.ini", link);
  BrowserSettings settings;
  settings.width = 700;
  std::FILE* warnings = std::tmpfile();
  SaveBrowserSettings(settings, Program(), warnings);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(std::filesystem::read_symlink(link), "/nonexistent-drive/qvn.ini");
  EXPECT_FALSE(std::filesystem::exists(Config()));
  std::rewind(warnings);
  char text[512] = {};
  std::size_t length = std::fread(text, 1, sizeof text - 1, warnings);
  std::fclose(warnings);
  std::string warning(text, length);
  EXPECT_NE(warning.find("qvn.ini cannot be read"), std::string::npos) << warning;
  EXPECT_EQ(std::count(warning.begin(), warning.end(), '\n'), 1) << warning;

  // A folder in the file's place: the same.
  std::filesystem::remove(link);
  std::filesystem::create_directories(link / "kept");
  warnings = std::tmpfile();
  SaveBrowserSettings(settings, Program(), warnings);
  EXPECT_GT(std::ftell(warnings), 0);
  std::fclose(warnings);
  EXPECT_TRUE(std::filesystem::is_directory(link / "kept"));
}

TEST_F(SettingsFileTest, TheConfigFolderCopyKeepsTheProgramFoldersOtherKeys) {
  WriteBytes(folder_ / "program" / "qvn.ini",
             "[WINDOW]\r\nWIDTH=700\r\n[PLUGIN]\r\nKEEP=me\r\n[FONT]\r\nSIZE=20\r\n");
  ::chmod((folder_ / "program" / "qvn.ini").c_str(), 0444);
  BrowserSettings settings = LoadBrowserSettings(Program());
  EXPECT_EQ(settings.width, 700);
  settings.gap_tenths = 13;
  SaveBrowserSettings(settings, Program());
  Bytes written = ReadBytes(Config());
  EXPECT_NE(written.find("[PLUGIN]\r\nKEEP=me\r\n"), Bytes::npos) << written;
  EXPECT_NE(written.find("SIZE=20\r\n"), Bytes::npos);
  EXPECT_NE(written.find("GAP=13\r\n"), Bytes::npos);
  EXPECT_EQ(ReadBytes(folder_ / "program" / "qvn.ini"),
            "[WINDOW]\r\nWIDTH=700\r\n[PLUGIN]\r\nKEEP=me\r\n[FONT]\r\nSIZE=20\r\n");
  // From now on the configuration folder's file is the one read.
  EXPECT_EQ(LoadBrowserSettings(Program()).gap_tenths, 13);
}

}  // namespace
}  // namespace qvn::testing
