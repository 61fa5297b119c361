// What is read whole is a regular file of bounded size: folders, FIFOs and
// devices are refused before a byte is read, and so are files too large.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/file_io.h"
#include "platform/profile.h"
#include "tests/support/temp_folder.h"

namespace qvn {
namespace {

using testing::TempFolder;
using testing::WriteBytes;

// A FIFO that nobody writes would block an ordinary open for ever; the alarm
// turns such a hang into a failed test.
class NoHang {
 public:
  NoHang() { ::alarm(20); }
  ~NoHang() { ::alarm(0); }
};

TEST(RegularFile, FifosDevicesAndFoldersAreRefusedWithoutReading) {
  NoHang guard;
  TempFolder folder;
  ASSERT_EQ(::mkfifo((folder / "slot.Q01").c_str(), 0644), 0);
  Bytes bytes = "left over";
  FileResult fifo = ReadWholeFile(folder / "slot.Q01", bytes, kMaxUserDataFileBytes);
  EXPECT_FALSE(fifo.ok);
  EXPECT_EQ(fifo.reason, "通常のファイルではなく FIFO (名前付きパイプ) です");
  EXPECT_TRUE(bytes.empty());

  FileResult zero = ReadWholeFile("/dev/zero", bytes, kMaxStoryBodyBytes);
  EXPECT_FALSE(zero.ok);
  EXPECT_EQ(zero.reason, "通常のファイルではなくデバイスです");
  EXPECT_EQ(ReadWholeFile("/dev/null", bytes).reason, "通常のファイルではなくデバイスです");
  EXPECT_EQ(ReadWholeFile(folder.path(), bytes).reason, "Is a directory");

  std::uint64_t size = 1;
  EXPECT_EQ(ReadFileHead(folder / "slot.Q01", 13, bytes, size).reason,
            "通常のファイルではなく FIFO (名前付きパイプ) です");
  EXPECT_EQ(ReadFileHead("/dev/zero", 13, bytes, size).reason,
            "通常のファイルではなくデバイスです");
  EXPECT_FALSE(CheckRegularFile(folder / "slot.Q01", 100).ok);
  EXPECT_FALSE(CheckRegularFile("/dev/zero", 100).ok);

  // A link to a FIFO is the FIFO.
  std::filesystem::create_symlink("slot.Q01", folder / "link.Q02");
  EXPECT_EQ(ReadWholeFile(folder / "link.Q02", bytes).reason,
            "通常のファイルではなく FIFO (名前付きパイプ) です");
}

TEST(RegularFile, SizeBoundOnBothSides) {
  TempFolder folder;
  WriteBytes(folder / "at", Bytes(1000, 'a'));
  WriteBytes(folder / "over", Bytes(1001, 'a'));
  Bytes bytes;
  ASSERT_TRUE(ReadWholeFile(folder / "at", bytes, 1000).ok);
  EXPECT_EQ(bytes.size(), 1000u);
  EXPECT_TRUE(CheckRegularFile(folder / "at", 1000).ok);

  FileResult over = ReadWholeFile(folder / "over", bytes, 1000);
  EXPECT_FALSE(over.ok);
  EXPECT_EQ(over.reason,
            "ファイルが大きすぎます: 1001 バイトあり、この種類のファイルで読む 1000 バイトを"
            "超えています");
  EXPECT_TRUE(bytes.empty());
  EXPECT_FALSE(CheckRegularFile(folder / "over", 1000).ok);

  // The bound of a slot file: a few hundred kilobytes, not 150 megabytes.
  std::filesystem::resize_file(folder / "over", 256 * 1024 + 1);
  EXPECT_FALSE(ReadWholeFile(folder / "over", bytes, kMaxUserDataFileBytes).ok);
  std::filesystem::resize_file(folder / "over", 256 * 1024);
  EXPECT_TRUE(ReadWholeFile(folder / "over", bytes, kMaxUserDataFileBytes).ok);
}

TEST(RegularFile, SettingsFilesAreReadOnlyWhenRegularAndOfSaneSize) {
  NoHang guard;
  TempFolder folder;
  ASSERT_EQ(::mkfifo((folder / "qvn.ini").c_str(), 0644), 0);
  EXPECT_FALSE(ReadProfileFile(folder / "qvn.ini").GetInteger("WINDOW", "WIDTH").has_value());
  Bytes settings = "[WINDOW]\r\nWIDTH=700\r\n";
  WriteBytes(folder / "big.ini", settings + Bytes(256 * 1024 - settings.size(), ';'));
  EXPECT_EQ(ReadProfileFile(folder / "big.ini").GetInteger("WINDOW", "WIDTH"), 700);
  WriteBytes(folder / "big.ini", settings + Bytes(256 * 1024 - settings.size() + 1, ';'));
  EXPECT_FALSE(ReadProfileFile(folder / "big.ini").GetInteger("WINDOW", "WIDTH").has_value());
}

TEST(RegularFile, HeadReadsTheStartAndTellsTheSize) {
  TempFolder folder;
  WriteBytes(folder / "index", "0123456789abc");
  Bytes bytes;
  std::uint64_t size = 0;
  ASSERT_TRUE(ReadFileHead(folder / "index", 4, bytes, size).ok);
  EXPECT_EQ(bytes, "0123");
  EXPECT_EQ(size, 13u);
  ASSERT_TRUE(ReadFileHead(folder / "index", 13, bytes, size).ok);
  EXPECT_EQ(bytes, "0123456789abc");
  ASSERT_TRUE(ReadFileHead(folder / "index", 100, bytes, size).ok);
  EXPECT_EQ(bytes, "0123456789abc");
  EXPECT_EQ(ReadFileHead(folder / "none", 4, bytes, size).reason, "No such file or directory");
}

}  // namespace
}  // namespace qvn
