// Directives: colours, pictures, sounds and programs, through a session.
#include "runtime/directives.h"

#include "session_fixture.h"

namespace qvn::testing {
namespace {

using DirectivesTest = SessionTest;

StoryBuilder OneBlock(std::vector<Bytes> records) {
  records.insert(records.end(), {"text", "?", "next", "PLAIN", "?END"});
  StoryBuilder story;
  story.Block("START", records).Block("PLAIN", {"plain", "?", "back", "START", "?END"});
  return story;
}

TEST_F(DirectivesTest, ColourOperandsAreReadFromTwoBytes) {
  struct Case {
    Bytes record;
    int colour;
  } cases[] = {{">COL=5", 5},   {">COL=05", 5},  {">COL=16", 16},
               {">COL=005", 0}, {">COL=$A", 10}, {">COL=99", 16}};
  for (const Case& c : cases) {
    ASSERT_TRUE(Open(OneBlock({c.record, ">FCL=3"}))) << c.record;
    EXPECT_EQ(session.State().background_colour, c.colour) << c.record;
    EXPECT_EQ(session.State().text_colour, 3);
    session.SelectChoice(1);
    EXPECT_EQ(session.State().background_colour, c.colour) << "colours last across blocks";
    session.CloseStory();
  }
}

TEST_F(DirectivesTest, BackgroundPictureLastsOneBlock) {
  ASSERT_TRUE(Open(OneBlock({">BAK=%P%sky.bmp", ">BAK=%P%sky.bmp", ">TIL=%P%t.bmp"})));
  std::string folder = StoryFolder() + "/";
  EXPECT_EQ(host.EventsStartingWith("background"),
            (std::vector<std::string>{"background " + folder + "sky.bmp",
                                      "background " + folder + "t.bmp"}))
      << "the same name again within a block is not loaded twice";
  EXPECT_EQ(session.State().background_spec, "t%P%t.bmp");
  session.SelectChoice(1);
  EXPECT_EQ(session.State().background_spec, "");

  host.backgrounds_load = false;
  session.SelectChoice(1);
  EXPECT_EQ(session.State().background_spec, "") << "a picture that does not load";
}

TEST_F(DirectivesTest, FolderSubstitutionTerminatesAndConvertsBackslashes) {
  std::string odd = StoryFolder() + "/%P%dir";
  std::filesystem::create_directories(odd);
  std::string folder = odd + "/";
  EXPECT_EQ(ExpandStoryPath("%P%a%P%b", folder).string(), folder + "a" + folder + "b");
  EXPECT_EQ(ExpandStoryPath("pic\\sky.bmp", folder).string(), "pic/sky.bmp");
  EXPECT_EQ(ExpandStoryPath("%p%x", folder).string(), "%p%x") << "only upper-case P";
}

TEST_F(DirectivesTest, SoundsPlayWhenTheFileExistsAndMusicCarriesOn) {
  WriteFile(StoryFile("m.mid"), "MThd");
  WriteFile(StoryFile("S.WAV"), "RIFF");
  StoryBuilder story;
  story.Block("START", {">BGM=%P%m.mid", ">WAV=%P%missing.wav", "one", "?END", "TWO"})
      .Block("TWO", {">BGM=%P%M.MID", "two", "?END", "THREE"})
      .Block("THREE", {">WAV=%P%s.wav", "three", "?END", "FOUR"})
      .Block("FOUR", {"four", "?END", "START"});
  ASSERT_TRUE(Open(story));
  EXPECT_EQ(host.events.back(), "caption Story (QVN3)");
  EXPECT_EQ(host.EventsStartingWith("music").size(), 1u);
  session.SelectChoice(1);
  // M.MID names another file than m.mid in the story, though both find it.
  EXPECT_EQ(host.EventsStartingWith("music").size(), 2u);
  session.SelectChoice(1);
  EXPECT_EQ(host.EventsStartingWith("wave"), std::vector<std::string>{"wave S.WAV"});
  EXPECT_EQ(session.State().current_sound, "") << "only music is remembered";
  session.SelectChoice(1);
  EXPECT_EQ(host.EventsStartingWith("stop sound").size(), 1u);
  EXPECT_FALSE(host.playing);
}

TEST_F(DirectivesTest, TheSameMusicAgainIsNotRestarted) {
  WriteFile(StoryFile("m.mid"), "MThd");
  StoryBuilder story;
  story.Block("START", {">BGM=%P%m.mid", "one", "?END", "TWO"})
      .Block("TWO", {">BGM=%P%m.mid", "two", "?END", "START"});
  ASSERT_TRUE(Open(story));
  session.SelectChoice(1);
  session.SelectChoice(1);
  EXPECT_EQ(host.EventsStartingWith("music").size(), 1u);
  EXPECT_TRUE(host.EventsStartingWith("stop sound").empty());

  host.sound_device_works = false;
  host.playing = false;
  session.CloseStory();
  WriteFile(StoryFile("n.mid"), "MThd");
  StoryBuilder other;
  other.Block("START", {">BGM=%P%n.mid", "one", "?END", "START"});
  ASSERT_TRUE(Open(other));
  EXPECT_FALSE(session.State().music_mark) << "a refused sound clears the music mark";
  EXPECT_EQ(session.State().current_sound, "");
}

TEST_F(DirectivesTest, ProgramsStartOnlyWhenTheirFileExists) {
  host.program_answer = ProgramAnswer::kStartOnce;
  WriteFile(StoryFile("VIEWER.EXE"), "");
  ASSERT_TRUE(Open(OneBlock(
      {">EXE=%P%viewer.exe readme.txt %P%b\\c.txt", ">EXE=%P%none.exe a", ">%P%VIEWER.EXE old"})));
  std::string folder = StoryFolder() + "/";
  EXPECT_EQ(host.EventsStartingWith("program"),
            std::vector<std::string>{"program " + folder + "VIEWER.EXE readme.txt " + folder +
                                     "b/c.txt"});
  session.CloseStory();

  session.Options().old_program_form = true;
  ASSERT_TRUE(session.OpenStory());
  EXPECT_EQ(host.EventsStartingWith("program").back(), "program " + folder + "VIEWER.EXE old");
}

TEST_F(DirectivesTest, AProgramInAFolderWithASpaceStillStarts) {
  host.program_answer = ProgramAnswer::kStartOnce;
  std::filesystem::create_directories(StoryFolder() + "/my tools");
  WriteFile(StoryFolder() + "/my tools/run", "");
  ASSERT_TRUE(Open(OneBlock({">EXE=%P%my tools/run"})))
      << "a space in the story's own text still ends the program name";
  EXPECT_TRUE(host.EventsStartingWith("program").empty());
  session.CloseStory();
  std::filesystem::rename(StoryFolder(), stories / "with space");
  session.SetStory(stories / "with space/tale.qvn");
  WriteFile(stories / "with space/run", "");
  StoryBuilder story = OneBlock({">EXE=%P%run"});
  story.Write(stories / "with space", "tale");
  ASSERT_TRUE(session.OpenStory());
  EXPECT_EQ(host.EventsStartingWith("program").back(), "program " + (stories / "with space/run"));
}

}  // namespace
}  // namespace qvn::testing
