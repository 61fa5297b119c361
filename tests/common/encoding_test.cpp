#include "common/encoding.h"

#include <gtest/gtest.h>

namespace qvn {
namespace {

TEST(Encoding, RoundTripsJapaneseAndAscii) {
  Bytes sjis = Sjis(u8"行数 : ～表\\");
  EXPECT_EQ(sjis, "\x8d\x73\x90\x94 : \x81\x60\x95\x5c\\");
  EXPECT_EQ(Cp932ToUtf8(sjis), reinterpret_cast<const char*>(u8"行数 : ～表\\"));
}

TEST(Encoding, ReplacesWhatCannotConvert) {
  EXPECT_EQ(Cp932ToUtf8("a\x82"), "a\xEF\xBF\xBD");
  EXPECT_EQ(Cp932ToUtf8("\xFF" "b"), "\xEF\xBF\xBD" "b");
  EXPECT_EQ(Utf8ToCp932("a\xF0\x9F\x98\x80" "b"), "a?b");
  EXPECT_EQ(Utf8ToCp932("\xC3"), "?");
}

}  // namespace
}  // namespace qvn
