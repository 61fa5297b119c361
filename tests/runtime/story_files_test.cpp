// The files a story brings cannot reach beyond it: links out of the story
// folder, FIFOs, devices and oversized files, interrupted copies and saves,
// and stories that share a base name.
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_io.h"
#include "session_fixture.h"

namespace qvn::testing {
namespace {

namespace fs = std::filesystem;

using StoryFilesTest = SessionTest;

StoryBuilder Story(Bytes title = "Tale") {
  StoryBuilder story;
  story.Title(title)
      .Variable(1, "Hero", "Taro")
      .Block("INTRO", {"!A+", "I am %1", "?", "on", "NEXT", "?END"})
      .Block("NEXT", {"!B+", "next page", "?", "back", "INTRO", "?END"});
  return story;
}

std::vector<std::string> HiddenNames(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    std::string name = entry.path().filename().string();
    if (name[0] == '.') names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A FIFO nobody writes would block an ordinary open for ever; the alarm turns
// such a hang into a failed test.
class NoHang {
 public:
  NoHang() { ::alarm(20); }
  ~NoHang() { ::alarm(0); }
};

TEST_F(StoryFilesTest, ASlotLinkedOutOfTheStoryFolderIsNeverReadNorWrittenThrough) {
  Story().Write(StoryFolder(), "tale");
  // Any file of fewer than 50 lines would load as a slot.
  Bytes victim = "ssh-ed25519 AAAAC3Nza reader@home\n";
  WriteFile(stories / "victim.txt", victim);
  fs::remove(StoryFile("tale.Q01"));
  fs::create_symlink("../victim.txt", StoryFile("tale.Q01"));
  session.SetStory(StoryFile("tale.qvn"));
  Bytes caption;
  Bytes comment;
  host.slot_script.push_back([&](SlotDialog& dialog) {
    caption = dialog.Caption();
    comment = dialog.Comment();
    dialog.PressErase();
    dialog.PressErase();
    return std::optional<int>(1);
  });
  EXPECT_FALSE(session.OpenStory());
  EXPECT_EQ(caption, "") << "the linked file is never shown";
  EXPECT_EQ(comment, Sjis(u8"読めません"));
  EXPECT_GE(host.error_boxes, 1);
  EXPECT_EQ(ReadFile(stories / "victim.txt"), victim);
  EXPECT_TRUE(fs::is_symlink(StoryFile("tale.Q01")));
  EXPECT_TRUE(HiddenNames(StoryFolder()).empty()) << "no temporary file left";
}

// A read-only story's slots are copied for the reader: a slot that links out
// of the story folder is never copied.
TEST_F(StoryFilesTest, AReadOnlyStorysSlotLinkedOutIsNeverCopied) {
  Story().Write(StoryFolder(), "tale");
  fs::create_directories(stories / "home");
  WriteFile(stories / "home/netrc", "machine example login me password secret\n");
  fs::remove(StoryFile("tale.Q01"));
  fs::create_symlink("../home/netrc", StoryFile("tale.Q01"));
  ::chmod(StoryFolder().c_str(), 0555);
  session.SetStory(StoryFile("tale.qvn"));
  EXPECT_FALSE(session.OpenStory());
  ::chmod(StoryFolder().c_str(), 0755);
  EXPECT_FALSE(fs::exists(ProgramFolder() + "tale.Q01")) << "never copied";
  EXPECT_EQ(host.error_boxes, 1);
}

// The clean-up of temporary files at open never follows a slot's link.
TEST_F(StoryFilesTest, TheCleanUpNeverFollowsASlotsLink) {
  Story().Write(StoryFolder(), "tale");
  fs::create_directories(stories / "victim");
  WriteFile(stories / "victim/notes", "notes\n");
  WriteFile(stories / "victim/.notes.backup", "backup\n");
  WriteFile(stories / "victim/.notes.Xy12Zq", "looks like ours\n");
  fs::remove(StoryFile("tale.Q02"));
  fs::create_symlink("../victim/notes", StoryFile("tale.Q02"));
  session.SetStory(StoryFile("tale.qvn"));
  ASSERT_TRUE(session.OpenStory());
  EXPECT_TRUE(fs::exists(stories / "victim/.notes.backup"));
  EXPECT_TRUE(fs::exists(stories / "victim/.notes.Xy12Zq"));
}

TEST_F(StoryFilesTest, SlotsHonourTheUmask) {
  mode_t old = ::umask(077);
  Story().Write(StoryFolder(), "tale");
  ::chmod(StoryFolder().c_str(), 0555);
  session.SetStory(StoryFile("tale.qvn"));
  bool opened = session.OpenStory();
  session.TempSave();
  ::umask(old);
  ::chmod(StoryFolder().c_str(), 0755);
  ASSERT_TRUE(opened);
  for (const char* name : {"tale.Q01", "tale.Q04", "tale.QV$"}) {
    struct stat info {};
    ASSERT_EQ(::stat((ProgramFolder() + name).c_str(), &info), 0) << name;
    EXPECT_EQ(info.st_mode & 0777, 0600u) << name;
  }
}

TEST_F(StoryFilesTest, ASlotLinkedWithinTheStoryFolderIsWrittenThrough) {
  Story().Write(StoryFolder(), "tale");
  fs::rename(StoryFile("tale.Q01"), StoryFile("kept.Q01"));
  fs::create_symlink("kept.Q01", StoryFile("tale.Q01"));
  session.SetStory(StoryFile("tale.qvn"));
  ASSERT_TRUE(session.OpenStory());
  session.SelectChoice(1);
  session.CloseStory();
  EXPECT_EQ(host.write_failures, 0);
  EXPECT_TRUE(fs::is_symlink(StoryFile("tale.Q01")));
  EXPECT_NE(ReadFile(StoryFile("kept.Q01")).find("\r\nNEXT\r\n"), std::string::npos);
}

TEST_F(StoryFilesTest, FifosAndFoldersAreRefusedWithAReason) {
  NoHang guard;
  const std::string kFifo = "通常のファイルではなく FIFO (名前付きパイプ) です";
  int expected_boxes = 0;
  for (const char* name : {"tale.qvj", "tale.qvn"}) {
    Story().Write(StoryFolder(), "tale");
    fs::remove(StoryFile(name));
    ASSERT_EQ(::mkfifo(StoryFile(name).c_str(), 0644), 0);
    session.SetStory(StoryFile("tale.qvn"));
    EXPECT_FALSE(session.OpenStory()) << name;
    EXPECT_EQ(host.error_boxes, ++expected_boxes);
    EXPECT_EQ(host.events.back(), "error " + StoryFile(name) + ": " + kFifo);
    fs::remove(StoryFile(name));
  }

  // A slot: its status in the slot dialog and then its load.
  Story().Write(StoryFolder(), "tale");
  fs::remove(StoryFile("tale.Q02"));
  ASSERT_EQ(::mkfifo(StoryFile("tale.Q02").c_str(), 0644), 0);
  host.ChooseSlot(2);
  EXPECT_FALSE(session.OpenStory());
  EXPECT_EQ(host.error_boxes, expected_boxes + 2);
  EXPECT_EQ(host.events.back(), "error " + StoryFile("tale.Q02") + ": " + kFifo);

  // The temporary save, and a folder in a slot's place.
  fs::remove(StoryFile("tale.Q03"));
  fs::create_directories(StoryFile("tale.Q03"));
  ASSERT_EQ(::mkfifo(StoryFile("tale.QV$").c_str(), 0644), 0);
  ASSERT_TRUE(session.OpenStory());
  EXPECT_FALSE(session.OpenTempSave());
  EXPECT_EQ(host.events.back(), "error " + StoryFile("tale.QV$") + ": " + kFifo);
  host.ChooseSlot(3);
  EXPECT_FALSE(session.OpenStory());
  EXPECT_EQ(host.events.back(), "error " + StoryFile("tale.Q03") + ": Is a directory");
}

TEST_F(StoryFilesTest, WhatIsReadWholeIsBounded) {
  Story().Write(StoryFolder(), "tale");
  session.SetStory(StoryFile("tale.qvn"));
  // A slot file of 150 megabytes (sparse, so the test writes nothing) is
  // refused at once; 256 KiB is the most a slot file may have.
  Bytes slot = ReadFile(StoryFile("tale.Q01"));
  fs::resize_file(StoryFile("tale.Q01"), 150'000'000);
  EXPECT_FALSE(session.OpenStory());
  EXPECT_EQ(host.events.back(),
            "error " + StoryFile("tale.Q01") +
                ": ファイルが大きすぎます: 150000000 バイトあり、この種類のファイルで読む "
                "262144 バイトを超えています");
  WriteFile(StoryFile("tale.Q01"), slot + Bytes(256 * 1024 - slot.size(), '\n'));
  EXPECT_TRUE(session.OpenStory()) << "trailing empty lines up to the bound are fine";
  session.CloseStory();

  // A story body beyond 64 MiB is refused; at the bound it is read.
  fs::resize_file(StoryFile("tale.qvn"), 64 * 1024 * 1024 + 1);
  EXPECT_FALSE(session.OpenStory());
  EXPECT_NE(host.events.back().find("67108865 バイト"), std::string::npos) << host.events.back();
  fs::resize_file(StoryFile("tale.qvn"), 64 * 1024 * 1024);
  EXPECT_TRUE(session.OpenStory());
  session.CloseStory();

  // An index is read up to its 8003rd record; what follows is never read, so
  // a huge one opens as quickly as a small one.
  Story().Write(StoryFolder(), "tale");
  fs::resize_file(StoryFile("tale.qvj"), 13ull * 100'000'000);
  EXPECT_TRUE(session.OpenStory());
  EXPECT_EQ(session.Index().Count(), 8002u);
  EXPECT_NE(session.Index().FindBlock("NEXT"), -1);
  session.CloseStory();
  fs::resize_file(StoryFile("tale.qvj"), 13ull * 100'000'000 + 1);
  EXPECT_FALSE(session.OpenStory()) << "a size that is not whole records is damage";
  EXPECT_NE(host.events.back().find("大きさ 1300000001 バイト"), std::string::npos)
      << host.events.back();
}

TEST_F(StoryFilesTest, AnInterruptedFirstCopyIsCompletedSlotBySlot) {
  Story().Write(StoryFolder(), "tale");
  // A first open killed after two of the four copies.
  Bytes played = "Tale\r\nNEXT\r\nHero\r\nKen\r\n";
  WriteFile(ProgramFolder() + "tale.Q01", played);
  WriteFile(ProgramFolder() + "tale.Q02", played);
  ::chmod(StoryFolder().c_str(), 0555);
  host.ChooseSlot(3);
  session.SetStory(StoryFile("tale.qvn"));
  ASSERT_TRUE(session.OpenStory());
  EXPECT_EQ(session.Location().user_data_folder, ProgramFolder());
  EXPECT_EQ(ReadFile(ProgramFolder() + "tale.Q01"), played) << "existing copies are kept";
  EXPECT_EQ(ReadFile(ProgramFolder() + "tale.Q02"), played);
  EXPECT_EQ(ReadFile(ProgramFolder() + "tale.Q04"), ReadFile(StoryFile("tale.Q04")));
  EXPECT_EQ(session.State().position_name, "INTRO") << "slot 3 is a fresh copy";
  session.CloseStory();

  // A slot copy that went missing later is copied again at the next open.
  fs::remove(ProgramFolder() + "tale.Q04");
  ASSERT_TRUE(session.OpenStory());
  EXPECT_EQ(ReadFile(ProgramFolder() + "tale.Q04"), ReadFile(StoryFile("tale.Q04")));
  EXPECT_EQ(ReadFile(ProgramFolder() + "tale.Q02"), played);
}

TEST_F(StoryFilesTest, StaleTemporaryFilesGoAtTheNextOpen) {
  Story().Write(StoryFolder(), "tale");
  const std::vector<std::string> stale = {".tale.Q01.a1B2c3", ".tale.Q04.zzzzzz",
                                          ".tale.QV$.000000"};
  const std::vector<std::string> kept = {".tale.Q01.a1B2c", ".other.Q01.a1B2c3", ".tale.Q05.a1B2c3",
                                         ".tale.qvn.a1B2c3"};
  for (const std::string& name : stale) WriteFile(StoryFile(name), "half a save");
  for (const std::string& name : kept) WriteFile(StoryFile(name), "not ours");
  session.SetStory(StoryFile("tale.qvn"));
  ASSERT_TRUE(session.OpenStory());
  std::vector<std::string> expected = kept;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(HiddenNames(StoryFolder()), expected);

  // And at the next save of a slot.
  WriteFile(StoryFile(".tale.Q01.q9Q9q9"), "half a save");
  session.SelectChoice(1);
  session.CloseStory();
  EXPECT_EQ(HiddenNames(StoryFolder()), expected);
}

class SharedBaseNameTest : public SessionTest {
 protected:
  SharedBaseNameTest() {
    fs::create_directories(stories.Path() / "other");
    ::chmod(ProgramFolder().c_str(), 0555);
  }
  std::string OtherFolder() const { return stories / "other"; }

  void WriteReadOnly(const std::string& folder, const StoryBuilder& story) {
    story.Write(folder, "tale");
    ::chmod(folder.c_str(), 0555);
  }
};

TEST_F(SharedBaseNameTest, EachReadOnlyStoryHasItsOwnFallbackFolder) {
  WriteReadOnly(StoryFolder(), Story("First"));
  WriteReadOnly(OtherFolder(), Story("Second"));
  session.SetStory(StoryFile("tale.qvn"));
  ASSERT_TRUE(session.OpenStory());
  std::string first = session.Location().user_data_folder;
  session.SelectChoice(1);
  session.CloseStory();

  session.SetStory(OtherFolder() + "/tale.qvn");
  ASSERT_TRUE(session.OpenStory());
  std::string second = session.Location().user_data_folder;
  EXPECT_NE(first, second);
  for (const std::string& folder : {first, second}) {
    EXPECT_EQ(fs::path(folder).parent_path().parent_path().string() + "/", FallbackFolder());
    EXPECT_TRUE(fs::path(folder).parent_path().filename().string().starts_with("tale-"));
  }
  EXPECT_EQ(session.State().title, "Second");
  EXPECT_EQ(session.State().position_name, "INTRO") << "not the first story's progress";
  session.CloseStory();

  // Erasing the second story's slot leaves the first story's progress.
  host.slot_script.push_back([](SlotDialog& dialog) {
    dialog.PressErase();
    dialog.PressErase();
    return std::optional<int>(1);
  });
  ASSERT_TRUE(session.OpenStory());
  session.CloseStory();
  EXPECT_NE(ReadFile(first + "tale.Q01").find("\r\nNEXT\r\n"), std::string::npos);

  session.SetStory(StoryFile("tale.qvn"));
  ASSERT_TRUE(session.OpenStory());
  EXPECT_EQ(session.Location().user_data_folder, first) << "the same folder at every open";
  EXPECT_EQ(session.State().position_name, "NEXT");
}

TEST_F(SharedBaseNameTest, OldSharedFilesMoveOnlyToTheStoryOfTheirTitle) {
  WriteReadOnly(StoryFolder(), Story("First"));
  WriteReadOnly(OtherFolder(), Story("Second"));
  fs::create_directories(FallbackFolder());
  Bytes first_progress = "First\r\nNEXT\r\nHero\r\nKen\r\n";
  WriteFile(FallbackFolder() + "tale.Q01", first_progress);
  WriteFile(FallbackFolder() + "tale.QV$", first_progress);
  Bytes other_progress = "Another\r\nNEXT\r\nHero\r\nJo\r\n";
  WriteFile(FallbackFolder() + "tale.Q02", other_progress);

  // The second story's title matches none of them: it takes none.
  session.SetStory(OtherFolder() + "/tale.qvn");
  ASSERT_TRUE(session.OpenStory());
  session.CloseStory();
  EXPECT_EQ(ReadFile(FallbackFolder() + "tale.Q01"), first_progress);
  EXPECT_EQ(ReadFile(FallbackFolder() + "tale.Q02"), other_progress);

  session.SetStory(StoryFile("tale.qvn"));
  ASSERT_TRUE(session.OpenStory());
  std::string own = session.Location().user_data_folder;
  EXPECT_EQ(session.State().position_name, "NEXT") << "the first story's old progress";
  EXPECT_EQ(session.State().variables[0].value, "Ken");
  EXPECT_FALSE(fs::exists(FallbackFolder() + "tale.Q01"));
  EXPECT_FALSE(fs::exists(FallbackFolder() + "tale.QV$"));
  EXPECT_EQ(ReadFile(own + "tale.QV$"), first_progress);
  EXPECT_EQ(ReadFile(FallbackFolder() + "tale.Q02"), other_progress) << "another title stays";
  EXPECT_EQ(ReadFile(own + "tale.Q02"), ReadFile(StoryFile("tale.Q02"))) << "copied fresh";
}

}  // namespace
}  // namespace qvn::testing
