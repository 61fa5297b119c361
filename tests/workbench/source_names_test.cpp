// The template of a new source and the names a source may not carry.
#include <gtest/gtest.h>

#include "common/encoding.h"
#include "workbench/jpeg_name.h"
#include "workbench/output_name_rule.h"
#include "workbench/source_template.h"

namespace qvn {
namespace {

TEST(SourceTemplateTest, FiveShiftJisLinesEachEndedByCrLf) {
  Bytes expected = "; *** QVN Source file ***\r\nTITLE=sample\r\nVERSION=1.00\r\n%1=" +
                   Bytes("\x8E\xE5\x90\x6C\x8C\xF6", 6) + ",\x8F\x9F\r\n; " +
                   Sjis(u8"ここからブロックを記述します") + "\r\n";
  EXPECT_EQ(NewSourceTemplate(), expected);
}

TEST(OutputNameRuleTest, ExtensionsOfTheOutputsAreRefusedInAnyLetterCase) {
  for (const char* path :
       {"/s/story.QVN", "/s/story.QVJ", "/s/story.Q01", "/s/story.Q04", "/s/story.qvn",
        "/s/story.qVj", "/s/story.q0x", "/s/story.QV$", "/s/story.qv", "/s/story.QV.src"})
    EXPECT_TRUE(CollidesWithOutputs(path)) << path;
  for (const char* path : {"/s/story.src", "/s/story.old.src", "/s/story.q", "/s/story.Q1",
                           "/s/story", "/s/my.qvn/story.src", "/s/.qvn/a.txt", "/s/story.xqv"})
    EXPECT_FALSE(CollidesWithOutputs(path)) << path;
}

TEST(JpegNameTest, TheLastDotOfTheFileNameGivesWayToJpg) {
  EXPECT_EQ(JpegNameFor("/p/room.bmp"), "/p/room.JPG");
  EXPECT_EQ(JpegNameFor("/p/a.b.bmp"), "/p/a.b.JPG");
  EXPECT_EQ(JpegNameFor("/p/room"), "/p/room.JPG");
  EXPECT_EQ(JpegNameFor("/my.pictures/room"), "/my.pictures/room.JPG");
  EXPECT_EQ(JpegNameFor("room.BMP"), "room.JPG");
}

}  // namespace
}  // namespace qvn
