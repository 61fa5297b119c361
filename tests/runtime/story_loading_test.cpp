// Opening stories: slots, the new-game prompt, read-only folders, the
// temporary save and failures.
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <random>

#include "session_fixture.h"

namespace qvn::testing {
namespace {

using ::testing::ElementsAre;

using StoryLoadingTest = SessionTest;

StoryBuilder Story() {
  StoryBuilder story;
  story.Title("Tale")
      .Variable(1, "Hero", "Taro")
      .Variable(3, "Pet", "Pochi")
      .Block("INTRO", {"!A+", "I am %1 with %3", "?", "on", "NEXT", "?END"})
      .Block("NEXT", {"!B+", "next page", "?", "back", "INTRO", "?END"});
  return story;
}

TEST_F(StoryLoadingTest, FreshSlotAsksForLabelledVariablesAndStartsAtRecordOne) {
  host.variable_script = {"", "Jiro", "Tama"};
  ASSERT_TRUE(Open(Story()));
  EXPECT_THAT(host.prompts,
              ElementsAre(U(Sjis(u8"Heroを入力して下さい")), U(Sjis(u8"Heroを入力して下さい")),
                          U(Sjis(u8"Petを入力して下さい"))))
      << "asked again while empty; unused variables are not asked";
  EXPECT_EQ(Page()[0], "I am Jiro with Tama");
  EXPECT_EQ(session.State().position_name, "INTRO");
  EXPECT_EQ(host.events.back(), "caption Tale (QVN3)");
  EXPECT_EQ(session.Location().user_data_folder, StoryFolder() + "/");
}

TEST_F(StoryLoadingTest, PromptTextIsCutTo32Bytes) {
  StoryBuilder story = Story();
  story.Variable(1, Bytes(16, 'L'), "v");
  host.variable_script = {Bytes(20, 'x')};
  ASSERT_TRUE(Open(story));
  EXPECT_EQ(Sjis(u8"を入力して下さい").size(), 16u);
  EXPECT_EQ(host.prompts[0], U(Bytes(16, 'L') + Sjis(u8"を入力して下さい")));
  EXPECT_EQ(session.State().variables[0].value, Bytes(16, 'x'));
}

TEST_F(StoryLoadingTest, ProgressGoesIntoTheChosenSlotOnly) {
  host.ChooseSlot(3);
  ASSERT_TRUE(Open(Story()));
  Bytes fresh = ReadFile(StoryFile("tale.Q01"));
  session.SelectChoice(1);
  session.CloseStory();
  EXPECT_EQ(ReadFile(StoryFile("tale.Q01")), fresh);
  Bytes saved = ReadFile(StoryFile("tale.Q03"));
  EXPECT_NE(saved.find("\r\nNEXT\r\n"), std::string::npos);
  EXPECT_NE(saved.find("\r\nBBAAAAAAAAAAAAAAAAAAAAAAAA\r\n1\r\n16\r\n16\r\n\r\n"),
            std::string::npos);
}

TEST_F(StoryLoadingTest, TheBaseNameIsCutAtTheFirstDotOfTheFileName) {
  std::filesystem::create_directories(stories / "my.stories");
  Story().Write(stories / "my.stories", "a");
  std::filesystem::rename(stories / "my.stories/a.qvn", stories / "my.stories/a.b.qvn");
  std::filesystem::rename(stories / "my.stories/a.qvj", stories / "my.stories/A.QVJ");
  session.SetStory(stories / "my.stories/a.b.qvn");
  EXPECT_EQ(session.Location().base_name, "a");
  EXPECT_FALSE(session.OpenStory()) << "a.QVN does not exist";
  std::filesystem::rename(stories / "my.stories/a.b.qvn", stories / "my.stories/A.qvn");
  EXPECT_TRUE(session.OpenStory()) << "names resolve ignoring letter case";
}

TEST_F(StoryLoadingTest, ReadOnlyStoryFolderCopiesTheSlotsOnce) {
  Story().Write(StoryFolder(), "tale");
  WriteFile(StoryFile("tale.Q02"), "Old\r\nNEXT\r\nHero\r\nKen\r\n");
  ::chmod(StoryFolder().c_str(), 0555);
  session.SetStory(StoryFile("tale.qvn"));
  ASSERT_TRUE(session.OpenStory());
  EXPECT_EQ(session.Location().user_data_folder, ProgramFolder());
  EXPECT_TRUE(std::filesystem::exists(ProgramFolder() + "$$QVNTMP.$$$"));
  for (int slot = 1; slot <= 4; ++slot)
    EXPECT_TRUE(std::filesystem::exists(ProgramFolder() + "tale.Q0" + std::to_string(slot)));
  Bytes copied = ReadFile(ProgramFolder() + "tale.Q02");
  EXPECT_EQ(copied.substr(0, 22), "Old\r\nNEXT\r\nHero\r\nKen\r\n");
  EXPECT_NE(copied.find("\r\n1\r\n16\r\n16\r\n\r\n"), std::string::npos)
      << "the copy keeps the file's own resume marker";

  session.SelectChoice(1);
  session.CloseStory();
  Bytes played = ReadFile(ProgramFolder() + "tale.Q01");
  ASSERT_TRUE(session.OpenStory());
  EXPECT_EQ(ReadFile(ProgramFolder() + "tale.Q01"), played) << "copied only once";
  EXPECT_EQ(session.State().position_name, "NEXT");
}

TEST_F(StoryLoadingTest, UnwritableProgramFolderFallsBackToTheDataFolder) {
  Story().Write(StoryFolder(), "tale");
  ::chmod(StoryFile("tale.Q01").c_str(), 0444);
  ::chmod(ProgramFolder().c_str(), 0555);
  session.SetStory(StoryFile("tale.qvn"));
  ASSERT_TRUE(session.OpenStory());
  // A folder of the story's own under the data folder.
  std::string own = session.Location().user_data_folder;
  EXPECT_EQ(own.substr(0, FallbackFolder().size() + 5), FallbackFolder() + "tale-");
  EXPECT_EQ(own.size(), FallbackFolder().size() + 5 + 8 + 1) << own;
  EXPECT_TRUE(std::filesystem::exists(own + "tale.Q04"));
}

// An installed program is given no program folder to write: a read-only
// story's user data goes to its own folder under the data folder at once.
TEST_F(StoryLoadingTest, WithoutAProgramFolderReadOnlyStoriesUseTheirOwnDataFolder) {
  Story().Write(StoryFolder(), "tale");
  ::chmod(StoryFolder().c_str(), 0555);
  StorySession installed(host, "", FallbackFolder());
  installed.SetStory(StoryFile("tale.qvn"));
  bool opened = installed.OpenStory();
  ::chmod(StoryFolder().c_str(), 0755);
  ASSERT_TRUE(opened);
  std::string own = installed.Location().user_data_folder;
  EXPECT_EQ(own.substr(0, FallbackFolder().size() + 5), FallbackFolder() + "tale-");
  EXPECT_TRUE(std::filesystem::exists(own + "tale.Q01"));
  EXPECT_FALSE(std::filesystem::exists(ProgramFolder() + "$$QVNTMP.$$$"));
  EXPECT_FALSE(std::filesystem::exists("$$QVNTMP.$$$")) << "nothing in the current folder";
}

TEST_F(StoryLoadingTest, MissingFilesEndTheOpenWithTheErrorBox) {
  for (const char* missing : {"tale.QVJ", "tale.QVN"}) {
    Story().Write(StoryFolder(), "tale");
    std::filesystem::remove(ExistingOrAsNamed(StoryFile(missing)));
    session.SetStory(StoryFile("tale.qvn"));
    EXPECT_FALSE(session.OpenStory()) << missing;
    EXPECT_FALSE(session.IsOpen());
    EXPECT_TRUE(host.open_button);
    EXPECT_NE(host.events.back().find(missing), std::string::npos) << host.events.back();
  }
  EXPECT_EQ(host.error_boxes, 2);

  Story().Write(StoryFolder(), "tale");
  std::vector<Bytes> lines;
  Bytes slot = ReadFile(StoryFile("tale.Q01"));
  slot.replace(slot.find("\r\n16\r\n"), 6, "\r\nblue\r\n");
  WriteFile(StoryFile("tale.Q01"), slot);
  EXPECT_FALSE(session.OpenStory());
  EXPECT_NE(host.events.back().find("line 50"), std::string::npos);
  EXPECT_EQ(ReadFile(StoryFile("tale.Q01")), slot) << "nothing rewritten";
}

// 156 random bytes are twelve records of the right size: their name lengths
// (bytes 0, 13, 26...) say that no compiler wrote them.
TEST_F(StoryLoadingTest, ADamagedBlockIndexEndsTheOpenWithTheErrorBox) {
  Story().Write(StoryFolder(), "tale");
  std::mt19937 random(156);
  Bytes garbage;
  for (int i = 0; i < 156; ++i) garbage.push_back(static_cast<char>(random() & 0xFF));
  WriteFile(ExistingOrAsNamed(StoryFile("tale.QVJ")), garbage);
  session.SetStory(StoryFile("tale.qvn"));
  EXPECT_FALSE(session.OpenStory());
  EXPECT_FALSE(session.IsOpen());
  EXPECT_TRUE(host.open_button);
  EXPECT_EQ(host.error_boxes, 1);
  EXPECT_NE(host.events.back().find("tale.qvj"), std::string::npos) << host.events.back();
  EXPECT_NE(host.events.back().find("the block index is damaged"), std::string::npos);
  EXPECT_TRUE(host.page.empty()) << "no jump error page";
}

TEST_F(StoryLoadingTest, EndOfInputAbandonsTheOpenWithoutWriting) {
  host.variable_script = {std::nullopt};
  Story().Write(StoryFolder(), "tale");
  Bytes fresh = ReadFile(StoryFile("tale.Q01"));
  session.SetStory(StoryFile("tale.qvn"));
  EXPECT_FALSE(session.OpenStory());
  host.slot_script.push_back([](SlotDialog&) { return std::nullopt; });
  EXPECT_FALSE(session.OpenStory());
  session.CloseStory();
  EXPECT_EQ(ReadFile(StoryFile("tale.Q01")), fresh);
}

TEST_F(StoryLoadingTest, TemporarySaveRoundTrip) {
  host.ChooseSlot(2);
  ASSERT_TRUE(Open(Story()));
  EXPECT_EQ(host.EventsStartingWith("temp save commands").back(), "temp save commands save");
  session.TempSave();
  EXPECT_EQ(host.EventsStartingWith("temp save commands").back(), "temp save commands both");
  session.SelectChoice(1);
  EXPECT_EQ(session.State().counters[1], 'B');

  ASSERT_TRUE(session.OpenTempSave());
  EXPECT_EQ(Page()[0], "I am Taro with Pochi") << "the same page";
  EXPECT_EQ(session.State().counters[0], 'B') << "the prologue is not applied twice";
  EXPECT_EQ(session.State().counters[1], 'A');
  EXPECT_NE(ReadFile(StoryFile("tale.Q02")).find("\r\nNEXT\r\n"), std::string::npos)
      << "opening the temporary save first saved the slot";

  session.CloseStory();
  EXPECT_NE(ReadFile(StoryFile("tale.Q02")).find("\r\nINTRO\r\n"), std::string::npos)
      << "later saves go to the slot chosen at open";
  EXPECT_NE(ReadFile(StoryFile("tale.QV$")).find("\r\nINTRO\r\n"), std::string::npos);
}

TEST_F(StoryLoadingTest, WriteProtectedSlotShowsTheNoticeAndStaysIntact) {
  ASSERT_TRUE(Open(Story()));
  Bytes fresh = ReadFile(StoryFile("tale.Q01"));
  ::chmod(StoryFile("tale.Q01").c_str(), 0444);
  session.SelectChoice(1);
  session.CloseStory();
  EXPECT_EQ(host.write_failures, 1);
  EXPECT_EQ(host.EventsStartingWith("write failure").back(),
            "write failure " + U(Sjis(u8"ユーザーデータ書込み不能")));
  EXPECT_EQ(ReadFile(StoryFile("tale.Q01")), fresh);
  EXPECT_FALSE(session.IsOpen());
}

TEST_F(StoryLoadingTest, SavesAreAtomic) {
  ASSERT_TRUE(Open(Story()));
  session.SelectChoice(1);
  ASSERT_TRUE(session.SaveUserData(StoryFile("tale.Q01")));
  for (const auto& entry : std::filesystem::directory_iterator(StoryFolder()))
    EXPECT_NE(entry.path().filename().string()[0], '.') << "no temporary file left";
  // A write that fails half-way (here: the file size limit) leaves the old
  // file whole, shows the notice and leaves no temporary file behind.
  Bytes whole = ReadFile(StoryFile("tale.Q01"));
  session.SelectChoice(1);
  ::signal(SIGXFSZ, SIG_IGN);
  rlimit limit{};
  ::getrlimit(RLIMIT_FSIZE, &limit);
  rlimit small = limit;
  small.rlim_cur = 100;
  ::setrlimit(RLIMIT_FSIZE, &small);
  bool saved = session.SaveUserData(StoryFile("tale.Q01"));
  ::setrlimit(RLIMIT_FSIZE, &limit);
  EXPECT_FALSE(saved);
  EXPECT_EQ(host.write_failures, 1);
  EXPECT_EQ(ReadFile(StoryFile("tale.Q01")), whole);
  for (const auto& entry : std::filesystem::directory_iterator(StoryFolder()))
    EXPECT_NE(entry.path().filename().string()[0], '.') << "no temporary file left";

  // A folder that cannot be written: the save fails and the old file stays.
  if (::geteuid() == 0) GTEST_SKIP() << "the superuser writes into any folder";
  Bytes before = ReadFile(StoryFile("tale.Q01"));
  ::chmod(StoryFolder().c_str(), 0555);
  session.SelectChoice(1);
  EXPECT_FALSE(session.SaveUserData(StoryFile("tale.Q01")));
  EXPECT_EQ(ReadFile(StoryFile("tale.Q01")), before);
  ::chmod(StoryFolder().c_str(), 0755);
}

}  // namespace
}  // namespace qvn::testing
