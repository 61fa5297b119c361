#include "runtime/user_data_text.h"

#include <gtest/gtest.h>

#include "format/index_record.h"
#include "format/user_data_file.h"

namespace qvn {
namespace {

std::vector<Bytes> FreshLines() {
  StringVariables variables;
  variables[0] = {"Hero", "Taro"};
  Bytes text = FreshUserData("Title", variables);
  std::vector<Bytes> lines;
  for (BytesView line : SplitTextLines(text)) lines.emplace_back(line);
  return lines;
}

Bytes Join(const std::vector<Bytes>& lines) {
  Bytes text;
  for (const Bytes& line : lines) text += line + "\r\n";
  return text;
}

BlockIndex Index() {
  Bytes bytes;
  AppendIndexRecord(bytes, "START", 0);
  AppendIndexRecord(bytes, "QVNVER", 10000);
  AppendIndexRecord(bytes, "QVNALTER", 50);
  BlockIndex index;
  index.Assign(bytes);
  return index;
}

TEST(UserDataText, FreshContentRoundTripsByteForByte) {
  Bytes fresh = Join(FreshLines());
  StoryState state;
  ASSERT_EQ(ParseUserData(fresh, Index(), state), "");
  EXPECT_EQ(state.position_name, "QVNSTART");
  EXPECT_EQ(state.position_offset, -1);
  EXPECT_FALSE(state.resume);
  EXPECT_EQ(state.variables[0].value, "Taro");
  EXPECT_EQ(FormatUserData(state, false), fresh);
}

// An index may name a block, and a story a background picture, with any
// bytes: what the reader saved there loads again, while a control byte in
// the save's own lines is damage.
TEST(UserDataText, ControlBytesAreDamageOnlyInTheSavesOwnLines) {
  StoryState state;
  state.title = "T\x01";
  state.position_name = "B\x01\x1b";
  state.variables[0] = {"L\x02", "V\x03"};
  state.background_spec = "s%P%\x06pic.bmp";
  Bytes saved = FormatUserData(state, true);
  StoryState loaded;
  EXPECT_EQ(ParseUserData(saved, Index(), loaded), "");
  EXPECT_EQ(loaded.position_name, "B\x01\x1b");
  EXPECT_EQ(loaded.background_spec, "s%P%\x06pic.bmp");
  std::vector<Bytes> lines = FreshLines();
  lines[20][0] = '\x01';  // the first line of flags
  EXPECT_NE(UserDataDamage(Join(lines)), "");
}

// A damaged story can name a block or give a title or variable holding a
// line feed; the save still has one field per line and loads again.
TEST(UserDataText, FieldsWithALineFeedKeepTheFileWhole) {
  StoryState state;
  ASSERT_EQ(ParseUserData(Join(FreshLines()), Index(), state), "");
  state.title = "Ti\ntle";
  state.position_name = "\nSTART";
  state.variables[0].value = "Ta\r\nro";
  state.background_colour = 3;
  state.text_colour = 5;
  state.background_spec = "pic\n.bmp";
  Bytes saved = FormatUserData(state, true);
  EXPECT_EQ(SplitTextLines(saved).size(), 52u);
  StoryState loaded;
  ASSERT_EQ(ParseUserData(saved, Index(), loaded), "");
  EXPECT_EQ(loaded.title, "Ti");
  EXPECT_EQ(loaded.position_name, "");
  EXPECT_EQ(loaded.variables[0].value, "Ta\r");
  EXPECT_EQ(loaded.variables[1].label, "????");
  EXPECT_EQ(loaded.background_colour, 3);
  EXPECT_EQ(loaded.text_colour, 5);
  EXPECT_EQ(loaded.background_spec, "pic");
}

TEST(UserDataText, FlagColumnsAndLines) {
  std::vector<Bytes> lines = FreshLines();
  lines[20][0] = '1';   // flag 1
  lines[20][36] = '1';  // flag 37
  lines[21][0] = '1';   // flag 38
  lines[46][36] = '1';  // flag 999
  lines[22][5] = 'x';   // anything but "1" is clear
  StoryState state;
  ASSERT_EQ(ParseUserData(Join(lines), Index(), state), "");
  int set = 0;
  for (int flag = 0; flag < kFlagCount; ++flag) set += state.flags[flag];
  EXPECT_EQ(set, 5);
  EXPECT_TRUE(state.flags[0] && state.flags[1] && state.flags[37] && state.flags[38] &&
              state.flags[999]);
  lines[22][5] = '0';
  EXPECT_EQ(FormatUserData(state, false), Join(lines));
}

TEST(UserDataText, ShortFilesAndLinesGetDefinedValues) {
  std::vector<Bytes> lines = FreshLines();
  lines[1] = "START";
  lines[20] = "11";  // short flag line
  lines[47] = "CD";  // short counter line
  lines[48] = "1";
  lines.resize(49);  // lines 50 to 52 missing
  StoryState state;
  state.flags[3] = 1;
  state.counters[5] = 'Q';
  state.background_spec = "sold.bmp";
  state.current_sound = "old.mid";
  ASSERT_EQ(ParseUserData(Join(lines), Index(), state), "");
  EXPECT_EQ(state.position_offset, 0);
  EXPECT_TRUE(state.flags[1] && state.flags[2]);
  EXPECT_EQ(state.flags[3], 0);
  EXPECT_EQ(Bytes(state.counters.data(), 26), "CD" + Bytes(24, 'A'));
  EXPECT_TRUE(state.resume);
  EXPECT_EQ(state.background_colour, 16);
  EXPECT_EQ(state.text_colour, 16);
  EXPECT_EQ(state.background_spec, "");
  EXPECT_EQ(state.current_sound, "");

  StoryState empty;
  ASSERT_EQ(ParseUserData("", Index(), empty), "") << "missing lines read as empty";
  EXPECT_EQ(empty.title, "");
  EXPECT_EQ(empty.variables[0].label, "");
  EXPECT_TRUE(empty.resume);
}

TEST(UserDataText, LongLinesAreCut) {
  std::vector<Bytes> lines = FreshLines();
  lines[0] = Bytes(300, 't');
  lines[1] = "STARTLONGER";
  lines[3] = Bytes(20, 'v');
  StoryState state;
  ASSERT_EQ(ParseUserData(Join(lines), Index(), state), "");
  EXPECT_EQ(state.title, Bytes(255, 't'));
  EXPECT_EQ(state.position_name, "STARTLON");
  EXPECT_EQ(state.variables[0].value, Bytes(16, 'v'));
}

TEST(UserDataText, ColourLines) {
  std::vector<Bytes> lines = FreshLines();
  lines[49] = "3";
  lines[50] = "$0A";
  lines[51] = "tsky.bmp";
  StoryState state;
  ASSERT_EQ(ParseUserData(Join(lines), Index(), state), "");
  EXPECT_EQ(state.background_colour, 3);
  EXPECT_EQ(state.text_colour, 10);
  EXPECT_EQ(state.background_spec, "tsky.bmp");

  lines[49] = "272";  // low byte 16
  lines[50] = "200";  // outside the colour table
  ASSERT_EQ(ParseUserData(Join(lines), Index(), state), "");
  EXPECT_EQ(state.background_colour, 16);
  EXPECT_EQ(state.text_colour, 16);

  lines[0] = "changed";
  lines[50] = "red";
  EXPECT_NE(ParseUserData(Join(lines), Index(), state), "");
  EXPECT_EQ(state.title, "Title") << "a refused file leaves the state alone";
  lines[50] = "";
  EXPECT_NE(ParseUserData(Join(lines), Index(), state), "") << "a present empty colour line";
}

TEST(UserDataText, FiftyLinesGiveTheTextColourItsDefault) {
  std::vector<Bytes> lines = FreshLines();
  lines[49] = "3";
  lines.resize(50);  // lines 51 and 52 missing
  StoryState state;
  state.text_colour = 5;
  state.background_spec = "sold.bmp";
  ASSERT_EQ(ParseUserData(Join(lines), Index(), state), "");
  EXPECT_EQ(state.background_colour, 3);
  EXPECT_EQ(state.text_colour, 16);
  EXPECT_EQ(state.background_spec, "");
}

TEST(UserDataText, AcceptsLineFeedsAlone) {
  Bytes text = "T\nSTART\n";
  StoryState state;
  ASSERT_EQ(ParseUserData(text, Index(), state), "");
  EXPECT_EQ(state.title, "T");
  EXPECT_EQ(state.position_name, "START");
}

TEST(UserDataText, ResumeMarkerIsZeroOnlyAtTheEndOfStoryPosition) {
  StoryState state;
  state.position_offset = 50;
  EXPECT_FALSE(ResumeMarkerFor(state, Index()));
  state.position_offset = 0;
  EXPECT_TRUE(ResumeMarkerFor(state, Index()));
}

}  // namespace
}  // namespace qvn
