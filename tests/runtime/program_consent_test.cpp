// Programs named by a story start only with the reader's consent: asked each
// time, or "always" for the story, never for a program outside its folder,
// and not at all when the reader switched programs off.
#include <sys/stat.h>
#include <unistd.h>

#include "runtime/directives.h"
#include "session_fixture.h"

namespace qvn::testing {
namespace {

class ProgramConsentTest : public SessionTest {
 protected:
  ProgramConsentTest() {
    WriteFile(StoryFile("VIEWER.EXE"), "");
    folder = std::filesystem::canonical(StoryFolder()).string() + "/";
  }

  // A story whose two blocks each start `command` and go to the other.
  bool OpenWithProgram(const Bytes& command) {
    StoryBuilder story;
    story.Block("START", {command, "one", "?END", "TWO"})
        .Block("TWO", {command, "two", "?END", "START"});
    return Open(story);
  }
  std::size_t Questions() const { return host.EventsStartingWith("ask").size(); }
  std::size_t Starts() const { return host.EventsStartingWith("program").size(); }
  ProgramPermissions& Programs() { return session.Options().programs; }

  std::string folder;  // the story folder, links resolved, with "/"
};

TEST_F(ProgramConsentTest, TheReaderIsAskedAndNoIsTheDefault) {
  ASSERT_TRUE(OpenWithProgram(">EXE=%P%viewer.exe readme.txt %P%b\\c.txt"));
  ASSERT_EQ(host.program_questions.size(), 1u);
  const ProgramRequest& request = host.program_questions[0];
  EXPECT_EQ(request.story_title, "Story");
  EXPECT_EQ(request.story_file, folder + "tale.qvn");
  EXPECT_EQ(request.argv, (std::vector<std::string>{folder + "VIEWER.EXE", "readme.txt",
                                                    StoryFolder() + "/b/c.txt"}));
  EXPECT_FALSE(request.outside_story_folder);
  EXPECT_EQ(Starts(), 0u) << "not started without a yes";
  EXPECT_EQ(Page(), std::vector<std::string>{"one"}) << "the story goes on";

  host.program_script = {ProgramAnswer::kStartOnce};
  session.SelectChoice(1);
  EXPECT_EQ(Starts(), 1u);
  EXPECT_EQ(Page(), std::vector<std::string>{"two"});
  session.SelectChoice(1);
  EXPECT_EQ(Questions(), 3u) << "\"this time\" is asked again";
  EXPECT_EQ(Starts(), 1u);
  EXPECT_TRUE(Programs().allowed_stories.empty());
}

TEST_F(ProgramConsentTest, AlwaysIsRememberedForTheStoryUntilWithdrawn) {
  host.program_script = {ProgramAnswer::kAlwaysForStory};
  ASSERT_TRUE(OpenWithProgram(">EXE=%P%VIEWER.EXE"));
  EXPECT_EQ(Starts(), 1u);
  EXPECT_EQ(Programs().allowed_stories, std::vector<std::string>{folder + "tale.qvn"});
  session.SelectChoice(1);
  session.SelectChoice(1);
  EXPECT_EQ(Questions(), 1u);
  EXPECT_EQ(Starts(), 3u);

  // The old form is covered too, and so is a program in a subfolder.
  session.CloseStory();
  std::filesystem::create_directories(StoryFolder() + "/bin");
  WriteFile(StoryFile("bin/tool"), "");
  session.Options().old_program_form = true;
  ASSERT_TRUE(OpenWithProgram(">%P%bin\\tool x"));
  EXPECT_EQ(Questions(), 1u);
  EXPECT_EQ(host.EventsStartingWith("program").back(), "program " + folder + "bin/tool x");

  Programs().Withdraw(folder + "tale.qvn");
  session.SelectChoice(1);
  EXPECT_EQ(Questions(), 2u);
  EXPECT_EQ(Starts(), 4u) << "withdrawn: asked, and no is the default";
}

TEST_F(ProgramConsentTest, ProgramsOutsideTheFolderAreAskedEveryTime) {
  std::filesystem::create_directories(stories / "outside");
  WriteFile(stories / "outside/marker.sh", "");
  std::filesystem::create_symlink("/bin/sh", StoryFile("shell"));
  struct Case {
    Bytes command;
    std::string program;
  } cases[] = {
      {">EXE=\\bin\\sh -c touch${IFS}marker", "/bin/sh"},
      {">EXE=%P%..\\outside\\marker.sh", stories / "outside/marker.sh"},
      {">EXE=%P%shell %P%payload.txt", std::filesystem::canonical("/bin/sh").string()},
      {">EXE=" + Utf8ToCp932(folder) + "VIEWER.EXE", folder + "VIEWER.EXE"},
  };
  Programs().allowed_stories = {folder + "tale.qvn"};
  for (const Case& c : cases) {
    host.program_questions.clear();
    host.program_script = {ProgramAnswer::kAlwaysForStory, ProgramAnswer::kDoNotStart};
    std::size_t starts = Starts();
    ASSERT_TRUE(OpenWithProgram(c.command)) << c.command;
    ASSERT_EQ(host.program_questions.size(), 1u) << c.command;
    EXPECT_TRUE(host.program_questions[0].outside_story_folder) << c.command;
    EXPECT_EQ(host.program_questions[0].argv[0], std::filesystem::canonical(c.program).string());
    EXPECT_EQ(Starts(), starts + 1) << "\"always\" starts it this once";
    session.SelectChoice(1);
    EXPECT_EQ(host.program_questions.size(), 2u) << "and asks again: " << c.command;
    EXPECT_EQ(Starts(), starts + 1);
    session.CloseStory();
  }
  EXPECT_EQ(Programs().allowed_stories, std::vector<std::string>{folder + "tale.qvn"});
}

TEST_F(ProgramConsentTest, SwitchedOffNothingStartsAndNobodyIsAsked) {
  Programs().programs_off = true;
  Programs().allowed_stories = {folder + "tale.qvn"};
  host.program_answer = ProgramAnswer::kStartOnce;
  ASSERT_TRUE(OpenWithProgram(">EXE=%P%VIEWER.EXE"));
  session.SelectChoice(1);
  session.CloseStory();
  ASSERT_TRUE(OpenWithProgram(">EXE=\\bin\\sh"));
  EXPECT_EQ(Questions(), 0u);
  EXPECT_EQ(Starts(), 0u);
  EXPECT_EQ(Page(), std::vector<std::string>{"one"});
}

// "Always" belongs to one resolved story: links named like a trusted story
// never lend its consent to another folder's programs or story files.
class BorrowedConsentTest : public ProgramConsentTest {
 protected:
  BorrowedConsentTest() {
    std::filesystem::create_directories(stories / "trusted");
    trusted = std::filesystem::canonical(stories / "trusted").string() + "/";
    StoryBuilder story;
    story.Block("START", {">EXE=%P%helper.sh", "trusted", "?END", "START"});
    story.Write(stories / "trusted", "tale");
    Programs().allowed_stories = {trusted + "tale.qvn"};
    WriteFile(StoryFile("helper.sh"), "");
  }
  std::string trusted;
};

TEST_F(BorrowedConsentTest, LinksToATrustedStoryFindProgramsBesideItsRealBody) {
  for (const char* extension : {".qvn", ".qvj", ".Q01", ".Q02", ".Q03", ".Q04"})
    std::filesystem::create_symlink("../trusted/tale" + std::string(extension),
                                    StoryFile("tale" + std::string(extension)));
  session.SetStory(StoryFile("tale.qvn"));
  ASSERT_TRUE(session.OpenStory());
  EXPECT_EQ(Page(), std::vector<std::string>{"trusted"});
  EXPECT_EQ(session.Location().story_folder, trusted);
  EXPECT_EQ(Starts(), 0u) << "the downloaded folder's helper.sh never starts";
  EXPECT_EQ(Questions(), 0u);

  // The trusted story's own program starts as "always" says.
  WriteFile(stories / "trusted/helper.sh", "");
  session.SelectChoice(1);
  EXPECT_EQ(Questions(), 0u);
  ASSERT_EQ(Starts(), 1u);
  EXPECT_EQ(host.EventsStartingWith("program").back(), "program " + trusted + "helper.sh");
}

TEST_F(BorrowedConsentTest, AStoryOfItsOwnBesideALinkIsAsked) {
  std::filesystem::create_symlink("../trusted/tale.qvn", StoryFile("tale.qvn"));
  StoryBuilder own;
  own.Block("START", {">EXE=%P%helper.sh", "own", "?END", "START"});
  std::filesystem::create_directories(stories / "build");
  own.Write(stories / "build", "tale");
  std::filesystem::rename(stories / "build/tale.qvn", StoryFile("tale.QVN"));
  std::filesystem::rename(stories / "build/tale.qvj", StoryFile("tale.QVJ"));
  for (const char* slot : {".Q01", ".Q02", ".Q03", ".Q04"})
    std::filesystem::rename(stories / ("build/tale" + std::string(slot)),
                            StoryFile("tale" + std::string(slot)));
  session.SetStory(StoryFile("tale.QVN"));
  ASSERT_TRUE(session.OpenStory());
  EXPECT_EQ(Page(), std::vector<std::string>{"own"});
  EXPECT_EQ(Questions(), 1u) << "its own story, never the trusted one's consent";
  EXPECT_EQ(Starts(), 0u);
  EXPECT_EQ(host.program_questions.at(0).story_file, folder + "tale.QVN");
}

TEST_F(BorrowedConsentTest, ABodyAndIndexInTwoFoldersAreNeverAlways) {
  StoryBuilder story;
  story.Block("START", {">EXE=%P%helper.sh", "split", "?END", "START"});
  story.Write(StoryFolder(), "tale");
  std::filesystem::rename(StoryFile("tale.qvj"), stories / "index.qvj");
  std::filesystem::create_symlink("../index.qvj", StoryFile("tale.qvj"));
  host.program_script = {ProgramAnswer::kAlwaysForStory};
  session.SetStory(StoryFile("tale.qvn"));
  ASSERT_TRUE(session.OpenStory());
  ASSERT_EQ(Questions(), 1u);
  EXPECT_FALSE(host.program_questions[0].MayAlways());
  EXPECT_EQ(Starts(), 1u) << "\"always\" acts as \"this time\"";
  EXPECT_EQ(Programs().allowed_stories, std::vector<std::string>{trusted + "tale.qvn"});
  session.SelectChoice(1);
  EXPECT_EQ(Questions(), 2u);
}

TEST_F(ProgramConsentTest, TheProgramStartedIsTheFileTheReaderWasAskedAbout) {
  std::filesystem::create_directories(stories / "outside");
  WriteFile(StoryFile("in.sh"), "");
  WriteFile(stories / "outside/out.sh", "");
  struct stat info {};
  ASSERT_EQ(::stat(StoryFile("in.sh").c_str(), &info), 0);
  const ino_t asked = info.st_ino;
  host.on_program_question = [&] {
    std::filesystem::remove(StoryFile("in.sh"));
    std::filesystem::create_symlink("../outside/out.sh", StoryFile("in.sh"));
  };
  host.program_script = {ProgramAnswer::kStartOnce};
  ASSERT_TRUE(OpenWithProgram(">EXE=%P%in.sh"));
  ASSERT_EQ(host.started_inodes.size(), 1u);
  EXPECT_EQ(host.started_inodes[0], asked);
  EXPECT_EQ(host.EventsStartingWith("program").back(), "program " + folder + "in.sh");
}

TEST(ProgramPermissionsTest, OnlyPathsThatSurviveTheSettingsFileAreKept) {
  ProgramPermissions programs;
  EXPECT_TRUE(programs.Allow("/s/tale.qvn"));
  EXPECT_TRUE(programs.Allow("/s/tale.qvn"));
  EXPECT_EQ(programs.allowed_stories.size(), 1u);
  for (const std::string& bad : {std::string("/s/a\nb.qvn"), std::string("/s/tale.qvn "),
                                 std::string("relative.qvn"), std::string(1024, '/')})
    EXPECT_FALSE(programs.Allow(bad)) << bad;
  EXPECT_TRUE(programs.Allow(std::string(1023, '/')));
  programs.allowed_stories.resize(kMaxAllowedStories, "/x");
  programs.allowed_stories.back() = "/last";
  EXPECT_FALSE(programs.Allow("/one/more.qvn"));
  programs.Withdraw("/last");
  EXPECT_TRUE(programs.Allow("/one/more.qvn"));
}

}  // namespace
}  // namespace qvn::testing
