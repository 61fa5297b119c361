// Playing blocks through a session on hand-built stories.
#include "format/user_data_file.h"
#include "session_fixture.h"

namespace qvn::testing {
namespace {

using ::testing::ElementsAre;

using BlockInterpreterTest = SessionTest;

StoryBuilder TwoWays() {
  StoryBuilder story;
  story.Variable(1, "Hero", "Taro")
      .Block("START", {"Hello %1", "?", "Go left", "LEFT", "?", "Go right", "RIGHT", "?END"})
      .Block("LEFT", {"left page", "?", "only", "START", "?END"})
      .Block("RIGHT", {"!A+", "right page", "?END", "?NOT000,LEFT", "START"});
  return story;
}

TEST_F(BlockInterpreterTest, ChoicesAreLetteredAndASingleChoiceReadsNext) {
  ASSERT_TRUE(Open(TwoWays()));
  EXPECT_THAT(Page(), ElementsAre("Hello Taro", " ", " A: Go left", " B: Go right"));
  EXPECT_EQ(host.choice_buttons, 2);
  EXPECT_EQ(session.Choice(2).target, "RIGHT");

  session.SelectChoice(1);
  EXPECT_THAT(Page(), ElementsAre("left page", "\u3000only"));
  EXPECT_EQ(host.choice_buttons, 1);
  EXPECT_EQ(session.State().position_name, "LEFT");

  session.SelectChoice(1);
  session.SelectChoice(2);
  EXPECT_THAT(Page(), ElementsAre("right page"));
  EXPECT_EQ(host.choice_buttons, 1) << "no choice: one control for the jump list";
  EXPECT_EQ(session.Choice(1).target, "START") << "the false jump line is passed over";
  EXPECT_EQ(session.State().counters[0], 'B');

  session.SelectChoice(2);  // not offered
  EXPECT_EQ(session.State().position_name, "RIGHT");
}

TEST_F(BlockInterpreterTest, HiddenChoicesUseNoLetterAndOnlySixAreOffered) {
  StoryBuilder story;
  std::vector<Bytes> records{"text", "?001", "hidden", "X"};
  for (char c = '1'; c <= '7'; ++c) {
    records.push_back("?");
    records.push_back(std::string("choice ") + c);
    records.push_back("?001,X");  // a false jump line before the target
    records.push_back(std::string("T") + c);
  }
  records.push_back("?END");
  story.Block("START", records);
  ASSERT_TRUE(Open(story));
  ASSERT_EQ(session.ChoiceCount(), 6);
  EXPECT_EQ(Page()[2], " A: choice 1");
  EXPECT_EQ(Page()[7], " F: choice 6");
  EXPECT_EQ(session.Choice(6).target, "T6");
}

TEST_F(BlockInterpreterTest, AJumpLineThatHoldsEndsTheJumpList) {
  StoryBuilder story;
  story.Block("START", {"text", "?000", "Go", "?000,B", "C", "?000", "Second", "C", "?END"})
      .Block("B", {"at B", "?END", "START"})
      .Block("C", {"at C", "?END", "START"});
  ASSERT_TRUE(Open(story));
  EXPECT_THAT(Page(), ElementsAre("text", " ", " A: Go", " B: Second"));
  EXPECT_EQ(session.Choice(1).target, "B");
  EXPECT_EQ(session.Choice(2).target, "C");
  session.SelectChoice(1);
  EXPECT_THAT(Page(), ElementsAre("at B"));
}

TEST_F(BlockInterpreterTest, VariablesAreSubstitutedInCaptions) {
  StoryBuilder story;
  story.Variable(1, "Hero", "Taro")
      .Block("START", {"text", "?", "Go %1", "ONE", "?", "Stay", "START", "?END"})
      .Block("ONE", {"one", "?", "Only %1%1", "START", "?END"});
  ASSERT_TRUE(Open(story));
  EXPECT_THAT(Page(), ElementsAre("text", " ", " A: Go Taro", " B: Stay"));
  EXPECT_EQ(session.Choice(1).caption, "Go Taro");
  session.SelectChoice(1);
  EXPECT_THAT(Page(), ElementsAre("one", "\u3000Only TaroTaro"));
}

TEST_F(BlockInterpreterTest, AllChoicesHiddenTakesNextFromAfterTheList) {
  StoryBuilder story;
  story.Block("START", {"text", "?001", "c", "X", "?END", "AFTER"})
      .Block("AFTER", {"after", "?END", "START"});
  ASSERT_TRUE(Open(story));
  EXPECT_THAT(Page(), ElementsAre("text"));
  EXPECT_EQ(session.ChoiceCount(), 1);
  session.SelectChoice(1);
  EXPECT_THAT(Page(), ElementsAre("after"));
}

TEST_F(BlockInterpreterTest, NoWaitChainsApplyEveryPrologueAndShowTheLastPage) {
  StoryBuilder story;
  story.Block("START", {"!A+", "@NOWAIT", "?END", "MID"})
      .Block("MID", {"!A+", "@NOWAIT", "?END", "?NOT000,START", "LAST"})
      .Block("LAST", {"!A+", "last page", "?END", "START"});
  ASSERT_TRUE(Open(story));
  EXPECT_THAT(Page(), ElementsAre("last page"));
  EXPECT_EQ(session.State().counters[0], 'D');
  EXPECT_EQ(session.State().position_name, "LAST");
  EXPECT_EQ(host.EventsStartingWith("page").size(), 1u);
}

TEST_F(BlockInterpreterTest, ASilentJumpToAMissingBlockKeepsThePreviousPage) {
  StoryBuilder story;
  story.Block("START", {"first", "?", "go", "SILENT", "?END"})
      .Block("SILENT", {"!A+", "@NOWAIT", "?END", "GONE"});
  ASSERT_TRUE(Open(story));
  session.SelectChoice(1);
  EXPECT_THAT(Page(), ElementsAre("first", "\u3000go", "Jump Address Error : GONE"));
  EXPECT_EQ(session.State().counters[0], 'B') << "the prologue ran before the jump";
  EXPECT_EQ(session.State().position_name, "GONE");
  EXPECT_EQ(session.State().position_offset, -1);
  EXPECT_EQ(host.choice_buttons, 1) << "the choice stays offered";
  session.CloseStory();
  ASSERT_TRUE(session.OpenStory());
  EXPECT_EQ(Page().back(), "Jump Address Error : GONE") << "a saved name not in the index";
}

TEST_F(BlockInterpreterTest, ACircleOfSilentJumpsStopsWithAJumpError) {
  StoryBuilder story;
  story.Block("START", {"first", "?", "go", "P", "?END"})
      .Block("P", {"@NOWAIT", "?END", "Q"})
      .Block("Q", {"@NOWAIT", "?END", "P"});
  ASSERT_TRUE(Open(story));
  session.SelectChoice(1);
  EXPECT_THAT(Page(), ElementsAre("first", "\u3000go", "Jump Address Error : P"));
  EXPECT_TRUE(session.IsOpen());
}

TEST_F(BlockInterpreterTest, AMissingBlockAddsAJumpErrorAndKeepsTheChoices) {
  StoryBuilder story;
  story.Block("START", {"page", "?", "a", "NOWHERE9X", "?", "b", "START", "?END"})
      .Block("SILENT", {"@NOWAIT", "?END", "GONE"});
  ASSERT_TRUE(Open(story));
  session.SelectChoice(1);
  EXPECT_EQ(Page().back(), "Jump Address Error : NOWHERE9") << "cut to 29 bytes";
  EXPECT_EQ(Page().size(), 5u) << "the page is not cleared";
  EXPECT_EQ(host.choice_buttons, 2);
  EXPECT_TRUE(session.IsOpen());
  session.SelectChoice(2);
  EXPECT_EQ(Page().size(), 4u);
}

TEST_F(BlockInterpreterTest, ResumedSavesDoNotApplyThePrologueTwice) {
  StoryBuilder story;
  story.Block("START", {"!A+", "page", "?", "again", "START", "?END"});
  ASSERT_TRUE(Open(story));
  EXPECT_EQ(session.State().counters[0], 'B');
  session.SelectChoice(1);
  EXPECT_EQ(session.State().counters[0], 'C');
  session.CloseStory();
  EXPECT_FALSE(session.IsOpen());
  EXPECT_TRUE(host.open_button);
  ASSERT_TRUE(session.OpenStory());
  EXPECT_EQ(session.State().counters[0], 'C');
  session.SelectChoice(1);
  EXPECT_EQ(session.State().counters[0], 'D');
}

TEST_F(BlockInterpreterTest, EndOfStoryResetsSavesAndRestartsAtTheFirstBlock) {
  StoryBuilder story;
  story.Title("T")
      .Block("START", {"!D+", "begin", "?", "end it", "END", "?END"})
      .Block("END", {"!001999", "!A+", "!C9", ">COL=3", ">FCL=4", "The end", "/"});
  ASSERT_TRUE(Open(story));
  session.SelectChoice(1);
  EXPECT_THAT(Page(), ElementsAre("The end")) << "the final text stays";
  // Drawn in the colours the last block set; the reset is what is saved.
  EXPECT_EQ(host.page_background_colour, 3);
  EXPECT_EQ(host.page_text_colour, 4);
  EXPECT_EQ(session.State().text_colour, 16);
  EXPECT_FALSE(session.IsOpen());
  EXPECT_TRUE(host.open_button);

  std::vector<Bytes> expected_lines{"T", "START"};
  for (int i = 0; i < 18; ++i) expected_lines.push_back("????");
  for (int i = 0; i < 27; ++i) expected_lines.push_back(Bytes(37, '0'));
  expected_lines[46][36] = '1';  // flag 999 survives, flag 1 is cleared
  expected_lines.push_back("AAAB" + Bytes(22, 'A'));
  expected_lines.insert(expected_lines.end(), {"0", "16", "16", ""});
  Bytes expected;
  for (const Bytes& line : expected_lines) expected += line + "\r\n";
  EXPECT_EQ(ReadFile(StoryFile("tale.Q01")), expected);

  ASSERT_TRUE(session.OpenStory());
  EXPECT_THAT(Page(), ElementsAre("begin", "\u3000end it"));
  EXPECT_EQ(session.State().counters[3], 'C') << "resume marker 0 applies the prologue";
}

TEST_F(BlockInterpreterTest, EndOfStoryClearsFlag500AndKeepsFlag501) {
  StoryBuilder story;
  story.Block("START", {"!499500501", "begin", "?", "end it", "END", "?END"})
      .Block("END", {"The end", "/"});
  ASSERT_TRUE(Open(story));
  session.SelectChoice(1);
  ASSERT_FALSE(session.IsOpen());
  EXPECT_EQ(session.State().flags[499], 0);
  EXPECT_EQ(session.State().flags[500], 0);
  EXPECT_EQ(session.State().flags[501], 1);
  // Flags 482 to 518 are line 34; flag 501 is its 20th column.
  Bytes slot = ReadFile(StoryFile("tale.Q01"));
  std::size_t line34 = 0;
  for (int line = 1; line < 34; ++line) line34 = slot.find("\r\n", line34) + 2;
  EXPECT_EQ(slot.substr(line34, 39), Bytes(19, '0') + "1" + Bytes(17, '0') + "\r\n");
}

TEST_F(BlockInterpreterTest, ATemporarySaveAfterTheEndHoldsWhatTheEndLeft) {
  StoryBuilder story;
  story.Block("START", {"!D+", "begin", "?", "end it", "END", "?END"})
      .Block("END", {"The end", "/"});
  ASSERT_TRUE(Open(story));
  session.CloseStory();
  session.TempSave();
  EXPECT_FALSE(std::filesystem::exists(StoryFile("tale.QV$"))) << "closed, not ended: nothing";

  ASSERT_TRUE(session.OpenStory());
  session.SelectChoice(1);
  ASSERT_FALSE(session.IsOpen());
  session.TempSave();
  EXPECT_EQ(ReadFile(StoryFile("tale.QV$")), ReadFile(StoryFile("tale.Q01")))
      << "the start block with resume marker 0, as the slot saved at the end";
  ASSERT_TRUE(session.OpenTempSave());
  EXPECT_THAT(Page(), ElementsAre("begin", "\u3000end it"));
  EXPECT_EQ(session.State().counters[3], 'C') << "the start block's prologue runs again";
}

TEST_F(BlockInterpreterTest, ConditionBeforeEndOfStory) {
  StoryBuilder story;
  story.Block("START", {"?001", "/", "shown when flag 1 is clear", "?", "set", "SET", "?END"})
      .Block("SET", {"!001", "?001", "/", "never shown", "?END", "START"});
  ASSERT_TRUE(Open(story));
  EXPECT_EQ(Page()[0], "shown when flag 1 is clear");
  session.SelectChoice(1);
  EXPECT_TRUE(Page().empty()) << "the story ends with an empty page";
  EXPECT_FALSE(session.IsOpen());
}

TEST_F(BlockInterpreterTest, ResumingABlockWithAGuardedEndDoesNotEndTheStory) {
  StoryBuilder story;
  story.Block("START", {"!500", "?001", "/", "!A+", "still here", "?", "on", "START", "?END"});
  ASSERT_TRUE(Open(story));
  EXPECT_EQ(Page()[0], "still here");
  session.CloseStory();
  ASSERT_TRUE(session.OpenStory());
  EXPECT_TRUE(session.IsOpen()) << "the saved progress is not thrown away";
  EXPECT_EQ(Page()[0], "still here");
  EXPECT_EQ(session.State().flags[500], 1);
  EXPECT_EQ(session.State().counters[0], 'B');
}

TEST_F(BlockInterpreterTest, DamagedBodiesShowTheErrorBoxAndKeepTheSlot) {
  StoryBuilder story;
  story.Block("START", {"page", "?", "bad flag", "BAD", "?", "bad colour", "COLOUR", "?END"})
      .Block("BAD", {"!0x1", "never", "?END", "START"})
      .Block("COLOUR", {">COL=xy", "never", "?END", "START"});
  for (int choice : {1, 2}) {
    ASSERT_TRUE(Open(story));
    Bytes slot_before = ReadFile(StoryFile("tale.Q01"));
    session.SelectChoice(choice);
    EXPECT_FALSE(session.IsOpen());
    EXPECT_TRUE(host.open_button);
    EXPECT_EQ(host.error_boxes, choice);
    EXPECT_EQ(ReadFile(StoryFile("tale.Q01")), slot_before);
  }

  Bytes body = story.Body();
  body.resize(3);  // "page" runs past the end
  WriteFile(StoryFile("tale.qvn"), body);
  EXPECT_FALSE(session.OpenStory());
  EXPECT_EQ(host.error_boxes, 3);
  EXPECT_NE(host.events.back().find("runs past its end"), std::string::npos);
}

TEST_F(BlockInterpreterTest, OffsetsOutsideTheBodyShowTheErrorBox) {
  StoryBuilder story;
  story.Block("START", {"page", "?END", "START"});
  story.Write(StoryFolder(), "tale");
  Bytes index;
  AppendIndexRecord(index, "START", 5000);
  AppendIndexRecord(index, "QVNVER", 10000);
  AppendIndexRecord(index, "QVNALTER", 20);
  WriteFile(StoryFile("tale.qvj"), index);
  session.SetStory(StoryFile("tale.qvn"));
  EXPECT_FALSE(session.OpenStory());
  EXPECT_NE(host.events.back().find("outside"), std::string::npos);
}

TEST_F(BlockInterpreterTest, NoSecondBlockStartsInsideARunningOne) {
  StoryBuilder story;
  story.Block("START", {"start", "?", "go", "PIC", "?END"})
      .Block("PIC", {">BMP=a.bmp", "picture page", "?", "back", "START", "?END"});
  ASSERT_TRUE(Open(story));
  host.on_show_picture = [this] { session.SelectChoice(1); };
  session.SelectChoice(1);
  EXPECT_EQ(session.State().position_name, "PIC");
  EXPECT_THAT(Page(), ElementsAre("picture page", "\u3000back"));
}

}  // namespace
}  // namespace qvn::testing
