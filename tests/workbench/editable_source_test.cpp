#include "workbench/editable_source.h"

#include <gtest/gtest.h>

#include "common/encoding.h"

namespace qvn {
namespace {

std::string U8(std::u8string_view text) {
  return std::string(text.begin(), text.end());
}

TEST(EditableSourceTest, AnUntouchedTextGivesBackTheSameBytes) {
  const Bytes source = Sjis(u8"#START\r\n主人公の名前\r\n\r\n?END\r\n");
  EditableSource editable = EditableSource::FromBytes(source);
  EXPECT_EQ(editable.text(), U8(u8"#START\n主人公の名前\n\n?END"));
  EXPECT_EQ(editable.ToBytes(editable.text()), source);
}

TEST(EditableSourceTest, BytesThatAreNotTextSurviveAnEdit) {
  // A bad lead byte, a lone lead byte at the end, an unassigned code, a NUL,
  // an escape character and an end-of-file byte.
  const Bytes odd_line = Bytes("A?\x85\x40Z\x1B\x00\x1A", 9) + "\x82";
  const Bytes source = "first\r\n" + odd_line + "\r\nlast\r\n";
  EditableSource editable = EditableSource::FromBytes(source);
  EXPECT_NE(editable.text().find("A?"), std::string::npos);  // readable parts stay readable
  std::string edited = editable.text();
  edited.replace(0, 5, "FIRST");
  EXPECT_EQ(editable.ToBytes(edited), "FIRST\r\n" + odd_line + "\r\nlast\r\n");
  // The same bytes come back even when the odd line itself was edited.
  std::size_t second_line = edited.find('\n') + 1;
  edited.insert(second_line, "+");
  EXPECT_EQ(editable.ToBytes(edited), "FIRST\r\n+" + odd_line + "\r\nlast\r\n");
}

TEST(EditableSourceTest, CharactersWithTwoCodesKeepTheirCodeOnUntouchedLines) {
  // 0xED40 and 0xFA5C both stand for the same kanji.
  const Bytes source = "\xED\x40\r\n\xFA\x5C\r\n";
  EditableSource editable = EditableSource::FromBytes(source);
  EXPECT_EQ(editable.ToBytes(editable.text()), source);
  EXPECT_EQ(editable.ToBytes(editable.text() + "\n" + U8(u8"追加")),
            source + Sjis(u8"追加") + "\r\n");
}

TEST(EditableSourceTest, SavedLinesEndInCrLf) {
  EditableSource editable = EditableSource::FromBytes("a\nb\rc");
  EXPECT_EQ(editable.text(), "a\nb\nc");
  EXPECT_EQ(editable.ToBytes("a\nb\nc!"), "a\r\nb\r\nc!\r\n");
  EXPECT_EQ(editable.ToBytes(""), "");
  EXPECT_EQ(EditableSource::FromBytes("").text(), "");
}

TEST(EditableSourceTest, TypedTextBecomesShiftJis) {
  EXPECT_EQ(TextToSourceLine(U8(u8"勝\\~")), Sjis(u8"勝") + "\\~");
  EXPECT_EQ(SourceLineToText(Sjis(u8"ｶﾀｶﾅ")), U8(u8"ｶﾀｶﾅ"));
}

TEST(EditableUtf8SourceTest, EditingKeepsEveryByteOfTheUntouchedLines) {
  // LF line ends, a byte-order mark, no break after the last line, a line
  // with a byte that is no UTF-8 and one with a control byte.
  const Bytes odd = "x\xFF\x1By";
  const Bytes source = "\xEF\xBB\xBF" + U8(u8"#開始\n夜の図書館。\n") + odd + U8(u8"\n?END\n開始");
  EditableSource editable = EditableSource::FromBytes(source, SourceEncoding::kAuto);
  ASSERT_TRUE(editable.IsUtf8());
  EXPECT_EQ(editable.ToBytes(editable.text()), source);
  std::string edited = editable.text();
  std::size_t at = edited.find(U8(u8"夜"));
  edited.replace(at, 3, U8(u8"朝"));
  Bytes expected = source;
  expected.replace(expected.find(U8(u8"夜")), 3, U8(u8"朝"));
  EXPECT_EQ(editable.ToBytes(edited), expected);
  // A new line takes the file's own break and stays UTF-8.
  EXPECT_EQ(editable.ToBytes(edited + U8(u8"\n〜")), expected + U8(u8"\n〜"));
}

TEST(EditableUtf8SourceTest, CrLfAndAnEndedLastLineStayAsTheyWere) {
  const Bytes source = U8(u8"#A\r\nあ\r\n");
  EditableSource editable = EditableSource::FromBytes(source, SourceEncoding::kAuto);
  ASSERT_TRUE(editable.IsUtf8());
  EXPECT_EQ(editable.ToBytes(editable.text() + "\n/"), U8(u8"#A\r\nあ\r\n/\r\n"));
  // Shift-JIS and pure ASCII stay as they always were: CR LF after each line.
  EditableSource ascii = EditableSource::FromBytes("#A\nx", SourceEncoding::kAuto);
  EXPECT_FALSE(ascii.IsUtf8());
  EXPECT_EQ(ascii.ToBytes(ascii.text() + "\ny"), "#A\r\nx\r\ny\r\n");
  // Told that UTF-8 bytes are Shift-JIS, the editor keeps them all the same.
  EditableSource told = EditableSource::FromBytes(source, SourceEncoding::kCp932);
  EXPECT_FALSE(told.IsUtf8());
  EXPECT_EQ(told.ToBytes(told.text()), source);
}

}  // namespace
}  // namespace qvn
