#include "platform/profile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "common/encoding.h"

namespace qvn {
namespace {

namespace fs = std::filesystem;

TEST(ProfileTest, NamesIgnoreCaseAndBlanksAndTheFirstEntryWins) {
  Profile profile = Profile::Parse(
      "; comment=1\r\n"
      "[ Font ]\r\n"
      "  name =  IPAGothic  \r\n"
      "NAME=second\r\n"
      "[option]\n"
      "Editor=\"/usr/bin/my editor\"\n"
      "[FONT]\r\n"
      "Size=99\r\n");
  EXPECT_EQ(profile.GetString("font", "NAME"), "IPAGothic");
  EXPECT_EQ(profile.GetString("Option", "editor"), "/usr/bin/my editor");
  // Only the first section of a name counts.
  EXPECT_FALSE(profile.GetString("Font", "Size").has_value());
  EXPECT_FALSE(profile.GetString("Font", "; comment").has_value());
  EXPECT_FALSE(profile.GetString("Missing", "Name").has_value());
}

TEST(ProfileTest, ValuesAreBytesAndLongOnesAreCut) {
  Bytes face = Sjis(u8"ＭＳ ゴシック");
  Bytes long_value(2000, 'x');
  Profile profile = Profile::Parse("[Font]\r\nName=" + face + "\r\nLong=" + long_value + "\r\n");
  EXPECT_EQ(profile.GetString("Font", "Name"), face);
  EXPECT_EQ(profile.GetString("Font", "Long")->size(), 1023u);
}

TEST(ProfileTest, IntegersAreDecimalOrHexAfterZeroX) {
  EXPECT_EQ(ParseProfileInteger("10"), 10);
  EXPECT_EQ(ParseProfileInteger("-3"), -3);
  EXPECT_EQ(ParseProfileInteger("0x1F"), 31);
  EXPECT_EQ(ParseProfileInteger("0X0"), 0);
  EXPECT_EQ(ParseProfileInteger("0"), 0);
  for (BytesView bad : {"", "yes", "0x", "1.5", "12a", "0xG", "99999999999", "0x123456789", "+"})
    EXPECT_FALSE(ParseProfileInteger(bad).has_value()) << bad;
  Profile profile = Profile::Parse("[Option]\nWarn=2\nBlock=no\n");
  EXPECT_EQ(profile.GetInteger("Option", "Warn"), 2);
  EXPECT_FALSE(profile.GetInteger("Option", "Block").has_value());
}

TEST(ProfileTest, SettingKeepsEveryOtherLine) {
  const Bytes original =
      "; kept\r\n"
      "[Font]\r\n"
      "Name=old\r\n"
      "Other=keep me\r\n"
      "\r\n"
      "[Foreign]\r\n"
      "x=1\r\n";
  Profile profile = Profile::Parse(original);
  profile.SetString("FONT", "name", "new");
  profile.SetString("Font", "Size", "12");
  profile.SetString("Option", "Warn", "1");
  EXPECT_EQ(profile.Serialize(),
            "; kept\r\n"
            "[Font]\r\n"
            "name=new\r\n"
            "Other=keep me\r\n"
            "Size=12\r\n"
            "\r\n"
            "[Foreign]\r\n"
            "x=1\r\n"
            "[Option]\r\n"
            "Warn=1\r\n");
  // Parsing the result again gives the same file.
  EXPECT_EQ(Profile::Parse(profile.Serialize()).Serialize(), profile.Serialize());
}

TEST(ProfileTest, LineBreaksInAValueCannotSplitTheFile) {
  Profile profile;
  profile.SetString("Option", "Editor", "/tmp/a\nb\r\n[Evil]\r\nEditor=x");
  Profile again = Profile::Parse(profile.Serialize());
  EXPECT_EQ(again.GetString("Option", "Editor"), "/tmp/ab[Evil]Editor=x");
  EXPECT_FALSE(again.GetString("Evil", "Editor").has_value());
}

TEST(ProfileTest, AnyBytesParseWithoutHarm) {
  Bytes junk;
  for (int i = 0; i < 4096; ++i) junk.push_back(static_cast<char>((i * 7919) % 256));
  Profile profile = Profile::Parse(junk + "\n[Font]\nName=ok\n");
  EXPECT_EQ(profile.GetString("Font", "Name"), "ok");
  EXPECT_EQ(Profile::Parse("[").Serialize(), "[\r\n");
  EXPECT_EQ(Profile::Parse("").Serialize(), "");
}

class ProfileFileTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::path(testing::TempDir()) / "profile_file_test";
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  fs::path folder_;
};

TEST_F(ProfileFileTest, WritesAndReadsBack) {
  Profile profile;
  profile.SetString("Font", "Name", Sjis(u8"ＭＳ ゴシック"));
  ASSERT_TRUE(WriteProfileFile(folder_ / "a.ini", profile).ok);
  EXPECT_EQ(ReadProfileFile(folder_ / "a.ini").GetString("Font", "Name"), Sjis(u8"ＭＳ ゴシック"));
  EXPECT_FALSE(ReadProfileFile(folder_ / "missing.ini").GetString("Font", "Name").has_value());
  EXPECT_FALSE(WriteProfileFile(folder_ / "no" / "such" / "a.ini", profile).ok);
}

TEST_F(ProfileFileTest, AFailedWriteLeavesTheOldFile) {
  const Bytes old_content = "[Font]\r\nName=old\r\n";
  ASSERT_TRUE(WriteFileDirect(folder_ / "a.ini", old_content).ok);
  Profile profile = ReadProfileFile(folder_ / "a.ini");
  profile.SetString("Font", "Name", Bytes(4096, 'n'));
  // A file size limit makes the write fail even for a privileged user.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 64;
  setrlimit(RLIMIT_FSIZE, &small);
  FileResult result = WriteProfileFile(folder_ / "a.ini", profile);
  setrlimit(RLIMIT_FSIZE, &saved);
  EXPECT_FALSE(result.ok);
  Bytes now;
  ASSERT_TRUE(ReadWholeFile(folder_ / "a.ini", now).ok);
  EXPECT_EQ(now, old_content);
}

TEST(ProfileTest, KeysAreListedAndRemovedWithinTheirSection) {
  Profile profile =
      Profile::Parse("[A]\r\nStory1=x\r\n; note\r\nstory1=y\r\nKeep=1\r\n[B]\r\nStory1=z\r\n");
  EXPECT_EQ(profile.Keys("a"), (std::vector<Bytes>{"Story1", "story1", "Keep"}));
  EXPECT_TRUE(profile.Keys("Missing").empty());
  profile.RemoveKey("A", "STORY1");
  profile.RemoveKey("Missing", "Story1");
  EXPECT_EQ(profile.Serialize(), "[A]\r\n; note\r\nKeep=1\r\n[B]\r\nStory1=z\r\n");
}

TEST_F(ProfileFileTest, AFileThatExistsButCannotBeReadIsNoEmptyProfile) {
  std::string reason;
  EXPECT_TRUE(ReadProfileForUpdate("", reason).has_value());
  EXPECT_TRUE(ReadProfileForUpdate(folder_ / "missing.ini", reason).has_value());
  ASSERT_TRUE(WriteFileDirect(folder_ / "a.ini", "[A]\r\nK=v\r\n").ok);
  EXPECT_EQ(ReadProfileForUpdate(folder_ / "a.ini", reason)->GetString("A", "K"), "v");
  fs::create_directories(folder_ / "folder.ini");
  EXPECT_FALSE(ReadProfileForUpdate(folder_ / "folder.ini", reason).has_value());
  EXPECT_FALSE(reason.empty());
  fs::create_symlink("/nonexistent-drive/qvn.ini", folder_ / "link.ini");
  reason.clear();
  EXPECT_FALSE(ReadProfileForUpdate(folder_ / "link.ini", reason).has_value());
  EXPECT_FALSE(reason.empty());
}

// A settings file refused when the program starts is refused again when it
// saves, so it is never replaced by one that lost its keys: one size bound,
// and a link out of the file's folder is never read.
TEST_F(ProfileFileTest, AFileRefusedAtStartIsRefusedForUpdateToo) {
  Bytes big = "[PROGRAMS]\r\nOFF=1\r\n;" + Bytes(kMaxSettingsFileBytes, 'x') + "\r\n";
  ASSERT_TRUE(WriteFileDirect(folder_ / "big.ini", big).ok);
  EXPECT_FALSE(ReadProfileFile(folder_ / "big.ini").GetString("PROGRAMS", "OFF"));
  std::string reason;
  EXPECT_FALSE(ReadProfileForUpdate(folder_ / "big.ini", reason).has_value());
  // One byte less than the bound is read both times.
  Bytes fits = "[PROGRAMS]\r\nOFF=1\r\n";
  fits.push_back(';');
  fits.append(kMaxSettingsFileBytes - fits.size(), 'x');
  ASSERT_EQ(fits.size(), kMaxSettingsFileBytes);
  ASSERT_TRUE(WriteFileDirect(folder_ / "fits.ini", fits).ok);
  EXPECT_EQ(ReadProfileFile(folder_ / "fits.ini").GetString("PROGRAMS", "OFF"), "1");
  EXPECT_TRUE(ReadProfileForUpdate(folder_ / "fits.ini", reason).has_value());

  fs::create_directories(folder_ / "config");
  ASSERT_TRUE(WriteFileDirect(folder_ / "secret", "[A]\r\nK=secret\r\n").ok);
  fs::create_symlink("../secret", folder_ / "config/qvn.ini");
  EXPECT_FALSE(ReadProfileFile(folder_ / "config/qvn.ini").GetString("A", "K"));
  EXPECT_FALSE(ReadProfileForUpdate(folder_ / "config/qvn.ini", reason).has_value());
}

}  // namespace
}  // namespace qvn
