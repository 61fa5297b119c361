#include "platform/settings_location.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/file_io.h"
#include "platform/program_folder.h"

namespace qvn {
namespace {

namespace fs = std::filesystem;

TEST(SettingsLocationTest, ConfigFolderFollowsTheBaseDirectoryRules) {
  EXPECT_EQ(ConfigFolderFrom("/x/config", "/home/a"), "/x/config/qvn/");
  EXPECT_EQ(ConfigFolderFrom("/x/config/", "/home/a"), "/x/config/qvn/");
  EXPECT_EQ(ConfigFolderFrom("relative", "/home/a"), "/home/a/.config/qvn/");
  EXPECT_EQ(ConfigFolderFrom("", "/home/a"), "/home/a/.config/qvn/");
  EXPECT_EQ(ConfigFolderFrom(nullptr, "/home/a/"), "/home/a/.config/qvn/");
  EXPECT_EQ(ConfigFolderFrom(nullptr, nullptr), "");
}

TEST(SettingsLocationTest, ProgramFolderIsTheFolderOfThisExecutable) {
  std::string folder = ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '/');
  EXPECT_TRUE(fs::exists(fs::path(folder) / "settings_location_test"));
}

// An installed program never writes into its own folder; one run from the
// build folder it was built in keeps its files beside itself.
TEST(SettingsLocationTest, OnlyAProgramInItsBuildFolderWritesBesideItself) {
  // The tests run from the build folder.
  EXPECT_TRUE(RunFromBuildFolder());
  EXPECT_EQ(ProgramFolderForWriting(ProgramFolder()), ProgramFolder());
  EXPECT_TRUE(SettingsFoldersFor(ProgramFolder()).program_folder_takes_settings);
  EXPECT_TRUE(InsideBuildFolder("/w/build/browser/", "/w/build"));
  EXPECT_TRUE(InsideBuildFolder("/w/build/", "/w/build/"));
  EXPECT_FALSE(InsideBuildFolder("/w/build-install/bin/", "/w/build"));
  EXPECT_FALSE(InsideBuildFolder("/w/", "/w/build"));
  EXPECT_FALSE(InsideBuildFolder("/home/a/.local/bin/", ""));
}

class SettingsPlacesTest : public testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::path(testing::TempDir()) / "settings_places_test";
    fs::remove_all(root_);
    fs::create_directories(root_ / "program");
    folders_.program_folder = (root_ / "program").string() + "/";
    folders_.config_folder = (root_ / "config" / "qvn").string() + "/";
  }
  fs::path root_;
  SettingsFolders folders_;
};

TEST_F(SettingsPlacesTest, AWritableProgramFolderHoldsTheSettings) {
  EXPECT_EQ(SettingsPathForReading(folders_, "QvnMakeW.ini"), "");
  EXPECT_EQ(SettingsPathForWriting(folders_, "QvnMakeW.ini"),
            folders_.program_folder + "QvnMakeW.ini");
  // A config file is not read while the program folder takes the settings.
  fs::create_directories(folders_.config_folder);
  ASSERT_TRUE(WriteFileDirect(folders_.config_folder + "QvnMakeW.ini", "x").ok);
  EXPECT_EQ(SettingsPathForReading(folders_, "QvnMakeW.ini"), "");
  ASSERT_TRUE(WriteFileDirect(folders_.program_folder + "qvnmakew.INI", "x").ok);
  // The existing file is used whatever its letter case, never doubled.
  EXPECT_EQ(SettingsPathForReading(folders_, "QvnMakeW.ini"),
            folders_.program_folder + "qvnmakew.INI");
  EXPECT_EQ(SettingsPathForWriting(folders_, "QvnMakeW.ini"),
            folders_.program_folder + "qvnmakew.INI");
}

TEST_F(SettingsPlacesTest, AnUnwritableProgramFolderSendsTheSettingsToTheConfigFolder) {
  folders_.program_folder = (root_ / "no such folder").string() + "/";
  EXPECT_EQ(SettingsPathForWriting(folders_, "qvn.ini"), folders_.config_folder + "qvn.ini");
  EXPECT_TRUE(fs::is_directory(folders_.config_folder));
  EXPECT_EQ(SettingsPathForReading(folders_, "qvn.ini"), "");
  ASSERT_TRUE(WriteFileDirect(folders_.config_folder + "qvn.ini", "x").ok);
  EXPECT_EQ(SettingsPathForReading(folders_, "qvn.ini"), folders_.config_folder + "qvn.ini");
}

TEST_F(SettingsPlacesTest, AnInstalledProgramKeepsItsSettingsInTheConfigurationFolder) {
  folders_.program_folder_takes_settings = false;
  ASSERT_TRUE(WriteFileDirect(folders_.program_folder + "qvn.ini", "x").ok);
  EXPECT_EQ(SettingsPathForReading(folders_, "qvn.ini"), "");
  EXPECT_EQ(SettingsPathForWriting(folders_, "qvn.ini"), folders_.config_folder + "qvn.ini");
  ASSERT_TRUE(WriteFileDirect(folders_.config_folder + "qvn.ini", "x").ok);
  EXPECT_EQ(SettingsPathForReading(folders_, "qvn.ini"), folders_.config_folder + "qvn.ini");
}

}  // namespace
}  // namespace qvn
