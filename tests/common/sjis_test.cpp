#include "common/sjis.h"

#include <gtest/gtest.h>

namespace qvn {
namespace {

TEST(UpperAscii, ChangesOnlyAsciiLettersAndKeepsTrailBytes) {
  EXPECT_EQ(UpperAscii("?a<b,xyz"), "?A<B,XYZ");
  // 0x82 0x61 is a double-byte character whose trail byte looks like "a".
  EXPECT_EQ(UpperAscii("\x82\x61" "a"), "\x82\x61" "A");
  // A lone lead byte at the end must not run past the string.
  EXPECT_EQ(UpperAscii("a\x82"), "A\x82");
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
