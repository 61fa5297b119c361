#include "common/encoding.h"

#include "common/cp932_decoder.h"

#include <gtest/gtest.h>

#include <vector>

namespace qvn {
namespace {

TEST(Encoding, RoundTripsJapaneseAndAscii) {
  Bytes sjis = Sjis(u8"行数 : ～表\\");
  EXPECT_EQ(sjis, "\x8d\x73\x90\x94 : \x81\x60\x95\x5c\\");
  EXPECT_EQ(Cp932ToUtf8(sjis), reinterpret_cast<const char*>(u8"行数 : ～表\\"));
}

TEST(Encoding, ReplacesWhatCannotConvert) {
  EXPECT_EQ(Cp932ToUtf8("a\x82"), "a\xEF\xBF\xBD");
  EXPECT_EQ(Cp932ToUtf8("\xFF"
                        "b"),
            "\xEF\xBF\xBD"
            "b");
  // A byte no character begins with, after a backslash: never passed on raw.
  EXPECT_EQ(Cp932ToUtf8("e\\\x80x"), "e\\\xEF\xBF\xBDx");
  EXPECT_EQ(Utf8ToCp932("a\xF0\x9F\x98\x80"
                        "b"),
            "a?b");
  EXPECT_EQ(Utf8ToCp932("\xC3"), "?");
}

}  // namespace
}  // namespace qvn

namespace qvn {
namespace {

std::string Decoded(Cp932Decoder& decoder, BytesView cp932) {
  std::string out;
  decoder.AppendUtf8(cp932, out);
  return out;
}

TEST(Cp932Decoder, GivesWhatTheConverterGivesForEveryByteAndPair) {
  Cp932Decoder decoder;
  for (int first = 0; first < 256; ++first) {
    Bytes one(1, static_cast<char>(first));
    ASSERT_EQ(Decoded(decoder, one), Cp932ToUtf8(one)) << first;
    if (first < 0x80) continue;
    for (int second = 0; second < 256; ++second) {
      Bytes two = one + static_cast<char>(second);
      ASSERT_EQ(Decoded(decoder, two), Cp932ToUtf8(two)) << first << " " << second;
    }
  }
}

TEST(Cp932Decoder, GivesWhatTheConverterGivesForText) {
  Cp932Decoder decoder;
  std::vector<Bytes> texts = {Sjis(u8"行数 : ～表\\ ｱｲｳ"),
                              "e\\\x80x",
                              "a\x82",
                              "\x82\x82\xA0",
                              "\x81\x81\x40",
                              "\xFF\x82\x61z",
                              ""};
  for (const Bytes& text : texts) {
    EXPECT_EQ(Decoded(decoder, text), Cp932ToUtf8(text)) << text;
  }
  std::string out = "kept ";
  decoder.AppendUtf8(Sjis(u8"表"), out);
  EXPECT_EQ(out, reinterpret_cast<const char*>(u8"kept 表"));
}

}  // namespace
}  // namespace qvn
