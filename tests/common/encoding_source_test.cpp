// Which encoding a story source is in, and UTF-8 lines turned into CP932.
#include "common/encoding_source.h"

#include <gtest/gtest.h>

#include "common/encoding.h"

namespace qvn {
namespace {

std::string U8(std::u8string_view text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

TEST(SourceEncodingNames, TheThreeChoicesAndTheirSpellings) {
  EXPECT_EQ(ParseSourceEncoding("auto"), SourceEncoding::kAuto);
  EXPECT_EQ(ParseSourceEncoding("cp932"), SourceEncoding::kCp932);
  EXPECT_EQ(ParseSourceEncoding("Shift-JIS"), SourceEncoding::kCp932);
  EXPECT_EQ(ParseSourceEncoding("UTF-8"), SourceEncoding::kUtf8);
  EXPECT_EQ(ParseSourceEncoding("utf8"), SourceEncoding::kUtf8);
  EXPECT_EQ(ParseSourceEncoding("latin1"), std::nullopt);
  EXPECT_EQ(ParseSourceEncoding(""), std::nullopt);
  EXPECT_STREQ(SourceEncodingName(SourceEncoding::kUtf8), "utf-8");
}

TEST(SourceEncodingDecision, Utf8OnlyWithAMarkOrValidNonAsciiText) {
  const auto kAuto = SourceEncoding::kAuto;
  // "あ" in UTF-8 and in CP932.
  EXPECT_EQ(DecideSourceEncoding("#A\r\n\xE3\x81\x82\r\n", kAuto), SourceEncoding::kUtf8);
  EXPECT_EQ(DecideSourceEncoding("#A\r\n\x82\xA0\r\n", kAuto), SourceEncoding::kCp932);
  // Pure ASCII reads the same either way and stays with the old reading.
  EXPECT_EQ(DecideSourceEncoding("#A\r\nx\r\n", kAuto), SourceEncoding::kCp932);
  EXPECT_EQ(DecideSourceEncoding("", kAuto), SourceEncoding::kCp932);
  // A mark decides even for ASCII, and even when the rest is not UTF-8.
  EXPECT_EQ(DecideSourceEncoding("\xEF\xBB\xBF#A\r\n", kAuto), SourceEncoding::kUtf8);
  EXPECT_EQ(DecideSourceEncoding("\xEF\xBB\xBF\x82\xA0", kAuto), SourceEncoding::kUtf8);
  // Half-width katakana "ｱｲ" in CP932 (B1 B2) is no UTF-8.
  EXPECT_EQ(DecideSourceEncoding("\xB1\xB2", kAuto), SourceEncoding::kCp932);
  // What was asked for is taken as asked.
  EXPECT_EQ(DecideSourceEncoding("\x82\xA0", SourceEncoding::kUtf8), SourceEncoding::kUtf8);
  EXPECT_EQ(DecideSourceEncoding("\xE3\x81\x82", SourceEncoding::kCp932), SourceEncoding::kCp932);
}

TEST(SourceEncodingDecision, MalformedUtf8IsRefused) {
  EXPECT_TRUE(IsValidUtf8("a\xC3\xA9\xE3\x81\x82\xF0\x9F\x98\x80"));
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong "/"
  EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));      // overlong, three bytes
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // a surrogate
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
  EXPECT_FALSE(IsValidUtf8("\xE3\x81"));          // cut short at the end
  EXPECT_FALSE(IsValidUtf8("\xE3\x41\x82"));      // a continuation missing
  EXPECT_FALSE(IsValidUtf8("\x80"));              // a lone continuation
}

TEST(SourceEncodingDecision, BadBytesAreShownAsReplacementCharacters) {
  EXPECT_EQ(ShowableUtf8("x\x82\xA0y\xE3\x81\x82"), "x\xEF\xBF\xBD\xEF\xBF\xBDy\xE3\x81\x82");
}

TEST(Utf8Lines, ConvertToTheSameBytesAsTheirCp932Twins) {
  Utf8LineConverter converter;
  Bytes out;
  EXPECT_FALSE(converter.Convert("plain ASCII", out));
  EXPECT_EQ(out, "plain ASCII");
  EXPECT_FALSE(converter.Convert(U8(u8"「ねえ、%1。」～①ｱ"), out));
  EXPECT_EQ(out, Sjis(u8"「ねえ、%1。」～①ｱ"));
  // The JIS spellings of the wave dash and the minus sign are the same
  // Shift-JIS characters.
  EXPECT_FALSE(converter.Convert("\xE3\x80\x9C\xE2\x88\x92", out));
  EXPECT_EQ(out, "\x81\x60\x81\x7C");
}

TEST(Utf8Lines, UnmappableCharacterIsFoundAtStartMiddleAndEnd) {
  Utf8LineConverter converter;
  Bytes out;
  // "😀あ": the first character.
  auto start = converter.Convert("\xF0\x9F\x98\x80\xE3\x81\x82", out);
  ASSERT_TRUE(start);
  EXPECT_FALSE(start->invalid_utf8);
  EXPECT_EQ(start->code, 0x1F600u);
  EXPECT_EQ(start->character_column, 1);
  EXPECT_EQ(start->byte_column, 1);
  // "abあいう😀x": the sixth character; "ab" and "あいう" take 11 bytes.
  auto middle = converter.Convert("ab\xE3\x81\x82\xE3\x81\x84\xE3\x81\x86\xF0\x9F\x98\x80x", out);
  ASSERT_TRUE(middle);
  EXPECT_EQ(middle->character_column, 6);
  EXPECT_EQ(middle->byte_column, 12);
  EXPECT_EQ(out, Sjis(u8"abあいう"));
  // "xé" (U+00E9 has no CP932 form), at the end.
  auto end = converter.Convert("x\xC3\xA9", out);
  ASSERT_TRUE(end);
  EXPECT_EQ(end->code, 0xE9u);
  EXPECT_EQ(end->character_column, 2);
  EXPECT_EQ(end->byte_column, 2);
  // A byte that begins no character.
  auto invalid = converter.Convert("\xE3\x81\x82\xFF", out);
  ASSERT_TRUE(invalid);
  EXPECT_TRUE(invalid->invalid_utf8);
  EXPECT_EQ(invalid->byte, 0xFF);
  EXPECT_EQ(invalid->character_column, 2);
  // The converter goes on working after a failure.
  EXPECT_FALSE(converter.Convert("\xE3\x81\x82", out));
  EXPECT_EQ(out, "\x82\xA0");
}

TEST(Utf8Lines, TheLimitCountsConvertedBytesAndMaySplitACharacter) {
  Utf8LineConverter converter;
  Bytes out;
  std::string a127;  // 127 × "あ": 254 CP932 bytes, 381 UTF-8 bytes
  for (int i = 0; i < 127; ++i) a127 += "\xE3\x81\x82";
  EXPECT_FALSE(converter.Convert(a127, out));
  EXPECT_EQ(out.size(), 254u);
  EXPECT_FALSE(converter.Convert(a127 + "\xE3\x81\x84", out));  // + "い"
  EXPECT_EQ(out.size(), 255u);
  EXPECT_EQ(out.substr(252), "\x82\xA0\x82");  // the lead byte of "い" stays
  // What lies beyond the limit does not count, not even a bad character.
  EXPECT_FALSE(converter.Convert(a127 + "xy\xF0\x9F\x98\x80", out));
  EXPECT_EQ(out.size(), 255u);
  auto at_limit = converter.Convert(a127 + "\xF0\x9F\x98\x80", out);
  ASSERT_TRUE(at_limit);
  EXPECT_EQ(at_limit->character_column, 128);
  std::string ascii(300, 'x');
  EXPECT_FALSE(converter.Convert(ascii, out));
  EXPECT_EQ(out, std::string(255, 'x'));
}

}  // namespace
}  // namespace qvn
