// `qvn play` keeps the browser's key contract: the end of the story, the keys
// pressed after it, the window's commands inside a scripted run.
#include <filesystem>

#include "tests/cli/play_fixture.h"

namespace qvn::testing {
namespace {

using PlayKeys = PlayTest;

constexpr std::size_t npos = std::string::npos;

int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (std::size_t at = text.find(part); at != npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST_F(PlayKeys, AStoryWhoseFirstPageEndsItIsOpenedAndShown) {
  CompileStory("end", {"#S", "The end", "/"});
  CompileStory("silent", {"#S", "@NOWAIT", "?END", "E", "#E", "The end", "/"});
  for (std::string name : {"end", "silent"}) {
    CommandResult result = Play({"--slot=1", "--choose=1", Story(name)});
    EXPECT_EQ(result.status, 0) << name << ": " << result.err;
    EXPECT_EQ(result.err, "") << name;
    EXPECT_NE(result.out.find("The end\n[開く]\n"), npos) << result.out;
    EXPECT_EQ(SlotLine(name + ".Q01", 2), "S") << name;
    EXPECT_EQ(SlotLine(name + ".Q01", 49), "0") << name;
  }
  // Interactive play goes on to the key prompt after the page.
  CommandResult result = Play({Story("end")}, "1\nq\n");
  EXPECT_EQ(result.status, 0) << result.err;
  std::size_t page = result.out.find("The end\n[開く]\n");
  ASSERT_NE(page, npos) << result.out;
  EXPECT_NE(result.out.find("> ", page), npos) << result.out;
}

TEST_F(PlayKeys, ChoiceKeysAfterTheEndOfTheStoryPressNothing) {
  CompileStory("again", {"#S", "!D+", "Start", "?END", "E", "#E", "The end", "/"});
  const std::string counters_after_one_play = "AAAB" + std::string(22, 'A');
  int slot = 1;
  for (std::string keys : {",1", ",,", ",a", ",F"}) {
    std::string file = std::string("again.Q0").append(std::to_string(slot));
    CommandResult result = Play({std::string("--slot=").append(std::to_string(slot++)),
                                 "--choose=" + keys, Story("again")});
    EXPECT_EQ(result.status, 0) << keys << ": " << result.err;
    EXPECT_EQ(Count(result.out, "Start\n"), 1) << keys << "\n" << result.out;
    EXPECT_EQ(SlotLine(file, 48), counters_after_one_play) << keys;
    EXPECT_EQ(SlotLine(file, 49), "0") << keys;
  }

  // Interactive: the same keys press nothing; "r" opens the story again, as
  // the window's "開く" button does.
  CommandResult ignored = Play({"--slot=2", Story("again")}, "\n1\n\na\nq\n");
  EXPECT_EQ(ignored.status, 0) << ignored.err;
  EXPECT_EQ(Count(ignored.out, "Start\n"), 1) << ignored.out;
  EXPECT_EQ(SlotLine("again.Q02", 48), "AAAC" + std::string(22, 'A'));
  EXPECT_EQ(SlotLine("again.Q02", 49), "0");

  CommandResult reopened = Play({"--slot=3", Story("again")}, "\nr\nq\n");
  EXPECT_EQ(reopened.status, 0) << reopened.err;
  EXPECT_EQ(Count(reopened.out, "Start\n"), 2) << reopened.out;
  // Two plays of the start block (one on each open) and a quit on its page.
  EXPECT_EQ(SlotLine("again.Q03", 2), "S");
  EXPECT_EQ(SlotLine("again.Q03", 48), "AAAD" + std::string(22, 'A'));
  EXPECT_EQ(SlotLine("again.Q03", 49), "1");
}

TEST_F(PlayKeys, CommandsInsideChooseActLikeTheWindowsCommands) {
  CompileStory("again", {"#S", "!D+", "Start", "?END", "E", "#E", "The end", "/"});
  // No temporary save yet: "t" does nothing, as the disabled menu item.
  CommandResult nothing = Play({"--slot=1", "--choose=t,", Story("again")});
  EXPECT_EQ(nothing.status, 0) << nothing.err;
  EXPECT_EQ(nothing.err, "");
  EXPECT_NE(nothing.out.find("The end\n"), npos) << "the Enter after it still plays";
  EXPECT_FALSE(std::filesystem::exists(folder / "again.QV$"));

  // "s" after the end saves what the end left: the start block, resume "0".
  CommandResult saved = Play({"--slot=2", "--choose=,s", Story("again")});
  EXPECT_EQ(saved.status, 0) << saved.err;
  ASSERT_TRUE(std::filesystem::exists(folder / "again.QV$"));
  EXPECT_EQ(SlotLine("again.QV$", 2), "S");
  EXPECT_EQ(SlotLine("again.QV$", 48), "AAAB" + std::string(22, 'A'));
  EXPECT_EQ(SlotLine("again.QV$", 49), "0");

  // "t" opens it: the start block with its prologue applied once more.
  CommandResult opened = Play({"--slot=3", "--choose=t,q,1", Story("again")});
  EXPECT_EQ(opened.status, 0) << opened.err;
  EXPECT_EQ(Count(opened.out, "Start\n"), 2) << opened.out;
  EXPECT_EQ(SlotLine("again.Q03", 48), "AAAC" + std::string(22, 'A')) << "keys after q are left";
  EXPECT_EQ(SlotLine("again.Q03", 49), "1");

  CommandResult help = Play({"--help"});
  EXPECT_NE(help.out.find("KEYS には上のとおりに働くコマンド\n"), npos) << help.out;
}

TEST_F(PlayKeys, TheSixthChoiceByItsLetter) {
  std::vector<std::string> lines = {"#S", "six ways"};
  for (int k = 1; k <= 6; ++k) {
    lines.push_back("?000");
    lines.push_back(std::string("way ").append(std::to_string(k)));
    lines.push_back(std::string("T").append(std::to_string(k)));
  }
  lines.push_back("?END");
  for (int k = 1; k <= 6; ++k) {
    lines.push_back(std::string("#T").append(std::to_string(k)));
    lines.push_back(std::string("page ").append(std::to_string(k)));
    lines.push_back("/");
  }
  CompileStory("six", lines);
  CommandResult result = Play({"--slot=1", "--choose=F", Story("six")});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find(" F: way 6\n[A] [B] [C] [D] [E] [F]\n"), npos) << result.out;
  EXPECT_NE(result.out.find("page 6\n"), npos) << result.out;
  CommandResult lower = Play({"--slot=2", "--choose=f", Story("six")});
  EXPECT_NE(lower.out.find("page 6\n"), npos) << lower.out;
}

}  // namespace
}  // namespace qvn::testing
