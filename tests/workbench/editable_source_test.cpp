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

}  // namespace
}  // namespace qvn
