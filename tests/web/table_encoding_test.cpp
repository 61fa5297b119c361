// The web reader converts through tables generated from this system's
// iconv: its text must be what common/encoding.cpp gives with iconv, byte for
// byte, for every character and for damaged text.
#include <gtest/gtest.h>

#include <string>

#include "common/encoding.h"

namespace qvn_table {
std::string Cp932ToUtf8(qvn::BytesView cp932);
qvn::Bytes Utf8ToCp932(std::string_view utf8);
}  // namespace qvn_table

namespace qvn {
namespace {

std::string Utf8Of(std::uint32_t cp) {
  std::string out;
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
  return out;
}

TEST(TableEncodingTest, EveryByteAndPairDecodesAsIconvDoes) {
  for (int lead = 0; lead < 256; ++lead) {
    Bytes single(1, static_cast<char>(lead));
    ASSERT_EQ(qvn_table::Cp932ToUtf8(single), Cp932ToUtf8(single)) << lead;
    for (int trail = 0; trail < 256; ++trail) {
      // The pair, and the pair followed by "A": a refused trail byte is read
      // again as a character of its own.
      Bytes pair{static_cast<char>(lead), static_cast<char>(trail), 'A'};
      ASSERT_EQ(qvn_table::Cp932ToUtf8(pair), Cp932ToUtf8(pair)) << lead << " " << trail;
    }
  }
}

TEST(TableEncodingTest, EveryCharacterEncodesAsIconvDoes) {
  for (std::uint32_t cp = 1; cp < 0x10000; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    std::string text = "a";
    text += Utf8Of(cp);
    text += 'b';
    ASSERT_EQ(qvn_table::Utf8ToCp932(text), Utf8ToCp932(text)) << std::hex << cp;
  }
}

TEST(TableEncodingTest, DamagedUtf8EncodesAsIconvDoes) {
  for (std::string text : {"\xC3", "\xE3\x81", "\xE3\x41\x42", "\xF0\x9F\x98\x80x", "\xC0\xAF",
                           "\xED\xA0\x80", "\xFF\xFE", "\xE6\x97\xA5\xE6", "\xF4\x90\x80\x80"}) {
    EXPECT_EQ(qvn_table::Utf8ToCp932(text), Utf8ToCp932(text)) << text;
  }
}

}  // namespace
}  // namespace qvn
