#include "platform/file_names.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace qvn {
namespace {

using testing::TempFolder;
using testing::WriteBytes;

TEST(StoryNames, BackslashesBecomeSlashesButTrailBytesStay) {
  // 表 is 0x95 0x5C in CP932: its second byte is not a folder separator.
  EXPECT_EQ(StoryNameToPath("pics\\\x95\x5C.bmp").string(), "pics/表.bmp");
  EXPECT_EQ(StoryNameToPath("C:\\a\\b.wav").string(), "C:/a/b.wav");
}

TEST(BasePaths, CutAtTheFirstDotOfTheFileName) {
  EXPECT_EQ(BasePath("/home/u/my.stories/tale.old.src"), "/home/u/my.stories/tale");
  EXPECT_EQ(BasePath("/home/u/.local/s/story.src"), "/home/u/.local/s/story");
  EXPECT_EQ(BasePath("story"), "story");
  EXPECT_EQ(ExtensionProbe("/a.b/story.old.src"), "ol");
  EXPECT_EQ(ExtensionProbe("/a.b/story"), "");
  EXPECT_EQ(ExtensionProbe("s.Q"), "Q");
  EXPECT_EQ(FolderOf("/a/b/c.src"), "/a/b/");
  EXPECT_EQ(FolderOf("c.src"), "");
}

TEST(Resolving, ExactNameFirstThenAnyLetterCaseComponentByComponent) {
  TempFolder folder;
  std::filesystem::create_directories(folder / "Pics");
  WriteBytes(folder / "Pics" / "Title.BMP", "x");
  WriteBytes(folder / "Pics" / "title.bmp", "y");
  EXPECT_EQ(ResolveExisting(folder / "Pics/title.bmp"), folder / "Pics/title.bmp");
  auto found = ResolveExisting(folder / "PICS/TITLE.bmp");
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(found->parent_path(), folder / "Pics");
  EXPECT_FALSE(ResolveExisting(folder / "pics/none.bmp").has_value());
  EXPECT_FALSE(ResolveExisting(folder / "none/title.bmp").has_value());

  EXPECT_EQ(ResolveForWrite(folder / "Pics/TITLE.bmp").parent_path(), folder / "Pics");
  EXPECT_EQ(ResolveForWrite(folder / "Pics/new.bmp"), folder / "Pics/new.bmp");
  EXPECT_EQ(CaseInsensitiveMatches(folder / "Pics/TITLE.BMP").size(), 2u);
}

}  // namespace
}  // namespace qvn
