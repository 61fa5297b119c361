#include "platform/file_io.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace qvn {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

TEST(AtomicWrite, ReplacesTheFileAndLeavesNoTemporary) {
  TempFolder folder;
  WriteBytes(folder / "slot.Q01", "old");
  std::filesystem::permissions(folder / "slot.Q01", std::filesystem::perms::owner_read |
                                                        std::filesystem::perms::owner_write);
  ASSERT_TRUE(WriteFileAtomic(folder / "slot.Q01", Bytes("new\0bytes", 9)).ok);
  EXPECT_EQ(ReadBytes(folder / "slot.Q01"), Bytes("new\0bytes", 9));
  EXPECT_EQ(
      std::filesystem::status(folder / "slot.Q01").permissions() & std::filesystem::perms::all,
      std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(AtomicWrite, FailureKeepsTheOldFile) {
  TempFolder folder;
  std::filesystem::create_directories(folder / "busy" / "inside");
  FileResult result = WriteFileAtomic(folder / "busy", "new");
  EXPECT_FALSE(result.ok);
  EXPECT_FALSE(result.reason.empty());
  EXPECT_TRUE(std::filesystem::is_directory(folder / "busy" / "inside"));
  FileResult missing_folder = WriteFileAtomic(folder / "none" / "x", "new");
  EXPECT_FALSE(missing_folder.ok);
  EXPECT_EQ(missing_folder.reason, "No such file or directory");
}

TEST(AtomicWrite, LongNamesAndLinks) {
  TempFolder folder;
  std::string long_name(250, 'n');
  ASSERT_TRUE(WriteFileAtomic(folder / long_name, "long").ok);
  EXPECT_EQ(ReadBytes(folder / long_name), "long");

  WriteBytes(folder / "real.ini", "old");
  std::filesystem::create_symlink("real.ini", folder / "link.ini");
  ASSERT_TRUE(WriteFileAtomic(folder / "link.ini", "new").ok);
  EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.ini"));
  EXPECT_EQ(ReadBytes(folder / "real.ini"), "new");
}

TEST(ReadWholeFile, ReadsBytesAndRefusesFolders) {
  TempFolder folder;
  WriteBytes(folder / "a", Bytes("a\0\x1a\r\n", 5));
  Bytes bytes;
  ASSERT_TRUE(ReadWholeFile(folder / "a", bytes).ok);
  EXPECT_EQ(bytes, Bytes("a\0\x1a\r\n", 5));
  EXPECT_EQ(ReadWholeFile(folder.path(), bytes).reason, "Is a directory");
  EXPECT_EQ(ReadWholeFile(folder / "none", bytes).reason, "No such file or directory");
}

}  // namespace
}  // namespace qvn
