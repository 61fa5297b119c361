#include "common/sjis.h"

#include <gtest/gtest.h>

namespace qvn {
namespace {

TEST(UpperAscii, ChangesOnlyAsciiLettersAndKeepsTrailBytes) {
  EXPECT_EQ(UpperAscii("?a<b,xyz"), "?A<B,XYZ");
  // 0x82 0x61 is a double-byte character whose trail byte looks like "a".
  EXPECT_EQ(UpperAscii("\x82\x61"
                       "a"),
            "\x82\x61"
            "A");
  // A lone lead byte at the end must not run past the string.
  EXPECT_EQ(UpperAscii("a\x82"), "A\x82");
}

TEST(LeadBytes, BothRangesAndTheirEdges) {
  EXPECT_FALSE(IsLeadByte(0x80));
  EXPECT_TRUE(IsLeadByte(0x81));
  EXPECT_TRUE(IsLeadByte(0x9F));
  EXPECT_FALSE(IsLeadByte(0xA0));
  EXPECT_FALSE(IsLeadByte(0xDF));
  EXPECT_TRUE(IsLeadByte(0xE0));
  EXPECT_TRUE(IsLeadByte(0xFC));
  EXPECT_FALSE(IsLeadByte(0xFD));
  EXPECT_FALSE(IsLeadByte(0x7F));
  // Upper-casing sees the same edges: after a lead byte "a" is a trail byte.
  EXPECT_EQ(UpperAscii("\x9F\x61"), "\x9F\x61");
  EXPECT_EQ(UpperAscii("\xFC\x61"), "\xFC\x61");
  EXPECT_EQ(UpperAscii("\xA0\x61"), "\xA0\x41") << "a one-byte katakana, then a letter";
  EXPECT_EQ(UpperAscii("\xDF\x61"), "\xDF\x41");
  EXPECT_EQ(UpperAscii("\xFD\x61"), "\xFD\x41");
  EXPECT_EQ(UpperAscii("\x80\x61"), "\x80\x41");
}

TEST(FindSingleByte, SkipsTrailBytes) {
  // 0x95 0x5C is one character whose trail byte is a backslash.
  BytesView text = "\x95\x5C.bmp";
  EXPECT_FALSE(HasBackslash(text));
  EXPECT_TRUE(HasBackslash("a\\b"));
  EXPECT_EQ(FindSingleByte("\x95\x5C\\x", '\\'), 2u);
  EXPECT_EQ(FindSingleByte("a,b,c", ',', 2), 3u);
}

}  // namespace
}  // namespace qvn
