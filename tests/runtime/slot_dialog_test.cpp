// The slot dialog's status and erase, and the version text.
#include "runtime/slot_dialog.h"

#include <sys/stat.h>

#include <random>

#include "format/user_data_file.h"
#include "session_fixture.h"

namespace qvn::testing {
namespace {

BlockIndex IndexWithVersion(std::optional<int> version) {
  Bytes bytes;
  AppendIndexRecord(bytes, "START", 0);
  if (version) AppendIndexRecord(bytes, "QVNVER", *version);
  BlockIndex index;
  index.Assign(bytes);
  return index;
}

TEST(VersionText, ShowsMajorAndMinorOrTheCreditLine) {
  EXPECT_EQ(VersionText(IndexWithVersion(10000)), "Tessaline Novel Project");
  EXPECT_EQ(VersionText(IndexWithVersion(std::nullopt)), "Tessaline Novel Project");
  const std::pair<int, const char*> cases[] = {{105, "1.5"},    {150, "1.50"}, {20105, "1.05"},
                                               {20100, "1.00"}, {100, "1.0"},  {1234, "12.34"}};
  for (const auto& [code, shown] : cases) {
    EXPECT_EQ(U(VersionText(IndexWithVersion(code))), U(Sjis(u8"作品のバージョン : ")) + shown)
        << code;
  }
}

class SlotDialogTest : public SessionTest {
 protected:
  void SetUp() override {
    StoryBuilder story;
    story.Title("Tale").Variable(1, Sjis(u8"主人公"), "x");
    story.Block("START", {"page", "?END", "START"});
    story_path = story.Write(StoryFolder(), "tale");
    session.SetStory(story_path);
    WriteFile(StoryFile("tale.Q02"), "Played\r\nSTART\r\n" + Sjis(u8"主人公\r\n太郎\r\n"));
    WriteFile(StoryFile("tale.Q03"), "NoVars\r\nSTART\r\n????\r\n????\r\n");
  }

  // Opens the story with `script` run on the slot dialog.
  void OpenWith(std::function<int(SlotDialog&)> script) {
    host.slot_script.push_back([script](SlotDialog& dialog) { return script(dialog); });
    session.OpenStory();
  }
};

TEST_F(SlotDialogTest, StatusOfEachKindOfSlot) {
  std::vector<std::pair<std::string, std::string>> seen;
  OpenWith([&seen](SlotDialog& dialog) {
    for (int slot = 1; slot <= 4; ++slot) {
      dialog.Select(slot);
      seen.emplace_back(U(dialog.Caption()), U(dialog.Comment()));
    }
    dialog.Select(3);
    dialog.Select(2);
    return dialog.SelectedSlot();
  });
  EXPECT_EQ(seen[0],
            (std::pair<std::string, std::string>{"Tale", U(Sjis(u8"未使用ファイルです。"))}));
  EXPECT_EQ(seen[1], (std::pair<std::string, std::string>{"Played", "主人公:太郎"}));
  EXPECT_EQ(seen[2], (std::pair<std::string, std::string>{"NoVars", U(Sjis(u8"使用中です。"))}));
  EXPECT_EQ(session.Location().active_slot, 2) << "the slot selected last wins";
  EXPECT_TRUE(session.IsOpen());
  EXPECT_TRUE(host.prompts.empty()) << "a played slot asks nothing";
}

// Peeking at a slot (a screen reader's names for the other radio buttons)
// shows what selecting it would, but selects nothing, tells nothing and never
// waits: a FIFO, a link out of the folder and slots past the four read as
// "読めません", with nothing of their bytes.
TEST_F(SlotDialogTest, PeekingNeitherSelectsNorTellsNorWaits) {
  std::filesystem::remove(StoryFile("tale.Q04"));
  ASSERT_EQ(::mkfifo(StoryFile("tale.Q04").c_str(), 0644), 0);
  WriteFile(stories / "secret.Q01", "Secret title\r\nSTART\r\n");
  std::filesystem::remove(StoryFile("tale.Q01"));
  std::filesystem::create_symlink(stories / "secret.Q01", StoryFile("tale.Q01"));
  std::vector<std::pair<std::string, std::string>> seen;
  int errors_before = 0;
  OpenWith([&](SlotDialog& dialog) {
    dialog.Select(2);
    errors_before = host.error_boxes;
    for (int slot : {0, 1, 2, 3, 4, 5}) {
      SlotSummary summary = dialog.PeekSlot(slot);
      seen.emplace_back(U(summary.caption), U(summary.comment));
    }
    EXPECT_EQ(dialog.SelectedSlot(), 2);
    EXPECT_EQ(U(dialog.Comment()), "主人公:太郎");
    return 2;
  });
  const std::string unreadable = U(Sjis(u8"読めません"));
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"", unreadable},          {"", unreadable},
      {"Played", "主人公:太郎"}, {"NoVars", U(Sjis(u8"使用中です。"))},
      {"", unreadable},          {"", unreadable},
  };
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(host.error_boxes, errors_before);
  EXPECT_TRUE(session.IsOpen());
}

TEST_F(SlotDialogTest, EraseNeedsASecondPressAndWritesAFreshSlot) {
  Bytes played = ReadFile(StoryFile("tale.Q02"));
  OpenWith([&](SlotDialog& dialog) {
    dialog.Select(2);
    dialog.PressErase();
    EXPECT_EQ(dialog.Comment(), Sjis(u8"初期化(OKならもう一度消去を押す)"));
    EXPECT_EQ(ReadFile(StoryFile("tale.Q02")), played);
    dialog.Select(2);  // selecting disarms
    dialog.PressErase();
    EXPECT_EQ(ReadFile(StoryFile("tale.Q02")), played);
    dialog.PressErase();
    EXPECT_EQ(dialog.Comment(), Sjis(u8"未使用ファイルです。"));
    EXPECT_TRUE(dialog.Fresh());
    return 2;
  });
  StringVariables variables;
  variables[0] = {Sjis(u8"主人公"), "x"};
  EXPECT_EQ(host.prompts.size(), 1u) << "the erased slot is a new game";
  session.CloseStory();
  Bytes fresh = FreshUserData("Tale", variables);
  EXPECT_NE(ReadFile(StoryFile("tale.Q02")), fresh) << "it was played since";
}

TEST_F(SlotDialogTest, EraseFailuresKeepTheSlotAndStayArmed) {
  Bytes played = ReadFile(StoryFile("tale.Q02"));
  std::filesystem::remove(StoryFile("tale.qvn"));
  OpenWith([&](SlotDialog& dialog) {
    dialog.Select(2);
    dialog.PressErase();
    dialog.PressErase();
    EXPECT_EQ(host.error_boxes, 1) << "the story body cannot be read";
    EXPECT_EQ(ReadFile(StoryFile("tale.Q02")), played);
    return 2;
  });

  StoryBuilder story;
  story.Block("START", {"page", "?END", "START"});
  story.Write(StoryFolder(), "tale");
  WriteFile(StoryFile("tale.Q02"), played);
  ::chmod(StoryFile("tale.Q02").c_str(), 0444);
  OpenWith([&](SlotDialog& dialog) {
    dialog.Select(2);
    dialog.PressErase();
    dialog.PressErase();
    EXPECT_EQ(dialog.Comment(), Sjis(u8"ユーザーデータ書込み不能"));
    EXPECT_EQ(ReadFile(StoryFile("tale.Q02")), played);
    ::chmod(StoryFile("tale.Q02").c_str(), 0644);
    dialog.PressErase();  // still armed: tries again at once
    EXPECT_TRUE(dialog.Fresh());
    return 1;
  });
}

TEST_F(SlotDialogTest, AMissingSlotShowsTheErrorBoxAndTheOpenFailsOnIt) {
  std::filesystem::remove(StoryFile("tale.Q04"));
  OpenWith([&](SlotDialog& dialog) {
    dialog.Select(2);
    dialog.Select(4);
    EXPECT_EQ(dialog.Caption(), "Played") << "caption and comment keep their text";
    EXPECT_EQ(host.error_boxes, 1);
    return 4;
  });
  EXPECT_FALSE(session.IsOpen());
}

// 600 random bytes are no slot file: shown as damaged, never loaded, erased
// into a fresh slot with nothing else written.
TEST_F(SlotDialogTest, ADamagedSlotIsShownAsSuchRefusedAndErasable) {
  std::mt19937 random(600);
  Bytes garbage;
  for (int i = 0; i < 600; ++i) garbage.push_back(static_cast<char>(random() & 0xFF));
  WriteFile(StoryFile("tale.Q03"), garbage);
  Bytes played = ReadFile(StoryFile("tale.Q02"));
  OpenWith([&](SlotDialog& dialog) {
    dialog.Select(3);
    EXPECT_TRUE(dialog.Damaged());
    EXPECT_FALSE(dialog.Fresh());
    EXPECT_EQ(dialog.Caption(), "");
    EXPECT_EQ(dialog.Comment(), Sjis(u8"破損したファイルです。"));
    dialog.Select(2);
    EXPECT_FALSE(dialog.Damaged());
    dialog.Select(3);
    return 3;
  });
  EXPECT_FALSE(session.IsOpen());
  EXPECT_EQ(host.error_boxes, 1);
  EXPECT_EQ(ReadFile(StoryFile("tale.Q03")), garbage);

  OpenWith([&](SlotDialog& dialog) {
    dialog.Select(3);
    dialog.PressErase();
    EXPECT_EQ(ReadFile(StoryFile("tale.Q03")), garbage);
    dialog.PressErase();
    EXPECT_FALSE(dialog.Damaged());
    EXPECT_TRUE(dialog.Fresh());
    EXPECT_EQ(dialog.Comment(), Sjis(u8"未使用ファイルです。"));
    return 3;
  });
  EXPECT_TRUE(session.IsOpen());
  EXPECT_EQ(ReadFile(StoryFile("tale.Q02")), played);
}

}  // namespace
}  // namespace qvn::testing
