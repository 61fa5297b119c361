#include "browser/browser_settings.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace qvn::testing
