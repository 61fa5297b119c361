#include "layout/page_breaking.h"

#include <gtest/gtest.h>

#include "common/encoding.h"

namespace qvn {
namespace {

std::vector<std::string> Rows(BytesView line, int width) {
  std::vector<std::string> rows;
  for (BytesView row : BreakLine(line, width)) rows.push_back(Cp932ToUtf8(row));
  return rows;
}

using Strings = std::vector<std::string>;

TEST(BytesPerRow, EvenAndTwoShortOfTheTextArea) {
  EXPECT_EQ(BytesPerRow(620, 16, 8), 35 * 2 + 2);  // (604 / 16) * 2 - 2 = 74 - 2
  EXPECT_EQ(BytesPerRow(100, 16, 8), 8);
  EXPECT_EQ(BytesPerRow(57, 16, 10), 2);
}

TEST(BreakLine, RowsOfWidthBytes) {
  EXPECT_EQ(Rows("abcdefghij", 4), (Strings{"abcd", "efgh", "ij"}));
  EXPECT_EQ(Rows("abcd", 4), (Strings{"abcd"}));
  EXPECT_EQ(Rows("abcde", 4), (Strings{"abcd", "e"}));
  EXPECT_EQ(Rows("", 4), (Strings{""}));
}

TEST(BreakLine, DoubleByteCharacterNeverSplit) {
  // "a" then three double-byte characters: the fourth byte is a lead byte.
  EXPECT_EQ(Rows(Sjis(u8"aあいう"), 4), (Strings{"aあ", "いう"}));
  EXPECT_EQ(Rows(Sjis(u8"あいうえ"), 4), (Strings{"あい", "うえ"}));
}

TEST(BreakLine, ClosingMarkPulledBackOnce) {
  EXPECT_EQ(Rows(Sjis(u8"あいう。え"), 4), (Strings{"あい", "う。", "え"}));
  EXPECT_EQ(Rows(Sjis(u8"あい。え"), 4), (Strings{"あい。", "え"}));
  // "」" then "。": only the first joins the row, the second starts the next.
  EXPECT_EQ(Rows(Sjis(u8"あい」。え"), 4), (Strings{"あい」", "。え"}));
  EXPECT_EQ(Rows(Sjis(u8"ab、？！）｝］"), 2), (Strings{"ab、", "？！", "）｝", "］"}));
}

TEST(BreakLine, HalfWidthKatakanaIsOneByte) {
  // 0xB1 is half-width katakana, a character of one byte: the next character
  // must stay whole.
  EXPECT_EQ(Rows("\xB1\xB2\x82\xA0\x82\xA2", 4), (Strings{"ｱｲあ", "い"}));
}

TEST(BreakLine, ALeadByteThatEndsTheLineIsARowOfItsOwn) {
  // A record cut at its byte limit can end on half a character; the page
  // must still be broken (it was an endless loop).
  std::vector<BytesView> rows = BreakLine("ab\x82", 2);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], "ab");
  EXPECT_EQ(rows[1], "\x82");
  rows = BreakLine("\x82\xA0\x82", 4);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], "\x82\xA0");
  EXPECT_EQ(rows[1], "\x82");
  rows = BreakLine("a\x82", 2);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], "a");
  EXPECT_EQ(rows[1], "\x82");
}

TEST(EstimateRows, CountsBeforeBreaking) {
  std::vector<Bytes> lines = {"", "abcd", "abcde", "ab"};
  EXPECT_EQ(EstimateRows(lines, 4), 1 + 2 + 2 + 1);
}

}  // namespace
}  // namespace qvn
