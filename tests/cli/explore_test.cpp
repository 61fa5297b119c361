// `qvn explore` end to end on a story whose answers are worked out by hand;
// every way it reports is played again with `qvn play --choose`.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/encoding.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_folder.h"

namespace qvn::testing {
namespace {

// HALL offers four ways (a fifth needs flag 900, which nothing sets). The key
// (flag 10) turns the door into a jump to a missing block and the well into
// a silent circle; without it both lead to END1. END1 keeps flag 501, which
// opens SECRET on the next play. TOWER raises A until the roof opens at Z.
constexpr const char* kSource =
    "TITLE=検査\r\n"
    "#START\r\n"
    "入口。\r\n"
    "?501\r\n二度目の扉\r\nSECRET\r\n"
    "?000\r\n広間へ\r\nHALL\r\n"
    "?END\r\n"
    "#HALL\r\n"
    "広間。\r\n"
    "?000\r\n鍵を拾う\r\nKEY\r\n"
    "?000\r\n扉へ\r\nDOOR\r\n"
    "?000\r\n井戸へ\r\nWELL\r\n"
    "?000\r\n塔へ\r\nTOWER\r\n"
    "?900\r\n開かない道\r\nLOCKED\r\n"
    "?END\r\n"
    "#KEY\r\n!010\r\n鍵を拾った。\r\n?END\r\nHALL\r\n"
    "#DOOR\r\n扉の前。\r\n?END\r\n?010,NOWHERE\r\nEND1\r\n"
    "#WELL\r\n@NOWAIT\r\n?END\r\n?010,FALL1\r\nEND1\r\n"
    "#FALL1\r\n@NOWAIT\r\n?END\r\nFALL2\r\n"
    "#FALL2\r\n@NOWAIT\r\n?END\r\nFALL1\r\n"
    "#TOWER\r\n!A+\r\n階段を上る。\r\n"
    "?000\r\nもっと上へ\r\nTOWER\r\n"
    "?A=Z\r\n屋上へ\r\nEND2\r\n"
    "?END\r\n"
    "#END1\r\n!501\r\n普通のおわり\r\n/\r\n"
    "#END2\r\n屋上のおわり\r\n/\r\n"
    "#SECRET\r\n秘密のおわり\r\n/\r\n"
    "#LOCKED\r\n開かずの間\r\n/\r\n"
    "#ORPHAN\r\n誰も来ない\r\n/\r\n";

// START, HALL (D), 24 times "Next" up the tower, then the roof (B).
const std::string kRoofKeys = ",D" + std::string(25, ',') + "B";

class QvnExplore : public ::testing::Test {
 protected:
  void Compile(const std::string& source) {
    WriteBytes(folder / "t.src", Utf8ToCp932(source));
    CommandResult compiled =
        RunCommand({QvnBinary(), "compile", "--jump-check=off", (folder / "t.src").string()});
    ASSERT_EQ(compiled.status, 0) << compiled.out;
    fresh_slot = ReadBytes(folder / "t.Q01");
  }
  void SetUp() override { Compile(kSource); }

  CommandResult Explore(std::vector<std::string> args) {
    std::vector<std::string> argv = {QvnBinary(), "explore"};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunCommand(argv);
  }

  // Plays the keys from a new game and returns the page shown last.
  std::string Replay(const std::string& keys) {
    WriteBytes(folder / "t.Q01", fresh_slot);
    CommandResult played = RunCommand(
        {QvnBinary(), "play", "--slot=1", "--choose=" + keys, (folder / "t.qvn").string()});
    EXPECT_EQ(played.status, 0) << played.err;
    std::size_t last = played.out.rfind("----------------------------------------");
    return last == std::string::npos ? played.out : played.out.substr(last);
  }

  std::string Story() const { return (folder / "t.qvn").string(); }

  TempFolder folder;
  Bytes fresh_slot;
};

TEST_F(QvnExplore, ReportsWhatAReaderCanReachWithTheShortestKeys) {
  CommandResult result = Explore({"--json", Story()});
  EXPECT_EQ(result.status, 1) << result.err;
  const std::string& json = result.out;
  EXPECT_NE(json.find("\"blocks\": 13,"), std::string::npos) << json;
  EXPECT_NE(json.find("\"unreached\": [\n"
                      "    {\"block\": \"LOCKED\", \"reason\": \"conditions_never_hold\"},\n"
                      "    {\"block\": \"ORPHAN\", \"reason\": \"no_way_in\"}\n"
                      "  ]"),
            std::string::npos)
      << json;
  EXPECT_NE(
      json.find("\"endings\": [\n"
                "    {\"block\": \"END1\", \"keys\": \",C\", \"replay\": [\"--slot=1\", "
                "\"--choose=,C\"]},\n"
                "    {\"block\": \"SECRET\", \"keys\": \",C,r,A\", \"replay\": [\"--slot=1\", "
                "\"--choose=,C,r,A\"]},\n"
                "    {\"block\": \"END2\", \"keys\": \"" +
                kRoofKeys + "\", \"replay\": [\"--slot=1\", \"--choose=" + kRoofKeys +
                "\"]}\n"
                "  ]"),
      std::string::npos)
      << json;
  EXPECT_NE(json.find("\"jump_errors\": [\n"
                      "    {\"block\": \"DOOR\", \"target\": \"NOWHERE\", \"keys\": \",A,,B,\", "
                      "\"replay\": [\"--slot=1\", \"--choose=,A,,B,\"]}\n"
                      "  ]"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("\"silent_circles\": [\n"
                      "    {\"block\": \"FALL1\", \"keys\": \",A,,C\", "
                      "\"replay\": [\"--slot=1\", \"--choose=,A,,C\"]}\n"
                      "  ]"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("\"never_shown_choices\": [\n"
                      "    {\"block\": \"HALL\", \"choice\": 5, \"caption\": \"開かない道\"}\n"
                      "  ]"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("\"complete\": true"), std::string::npos) << json;
  EXPECT_EQ(json.find("LOCKED\", \""), json.rfind("LOCKED\", \"")) << "LOCKED is reached";
}

TEST_F(QvnExplore, EachWayReportedIsPlayedAgainToWhatItClaims) {
  EXPECT_NE(Replay(",C").find("普通のおわり\n[開く]"), std::string::npos);
  EXPECT_NE(Replay(",C,r,A").find("秘密のおわり\n[開く]"), std::string::npos);
  EXPECT_NE(Replay(kRoofKeys).find("屋上のおわり\n[開く]"), std::string::npos);
  // Without the second play SECRET stays shut: START offers one way only.
  EXPECT_EQ(Replay("A").find("秘密のおわり"), std::string::npos);
  // One key short of the roof the tower offers only "Next".
  std::string below = Replay(",D" + std::string(23, ','));
  EXPECT_NE(below.find("階段を上る。\n　もっと上へ\n[Next]"), std::string::npos) << below;
  std::string top = Replay(",D" + std::string(24, ','));
  EXPECT_NE(top.find(" A: もっと上へ\n B: 屋上へ\n[A] [B]"), std::string::npos) << top;
  EXPECT_NE(Replay(",A,,B,").find("Jump Address Error : NOWHERE"), std::string::npos);
  EXPECT_NE(Replay(",A,,C").find("Jump Address Error : FALL"), std::string::npos);
}

TEST_F(QvnExplore, TheTextReportIsJapaneseWithEveryProblem) {
  CommandResult result = Explore({Story()});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.out.find("ブロック数 : 13　到達 : 11　未到達 : 2\n"), std::string::npos)
      << result.out;
  EXPECT_NE(result.out.find("  SECRET : qvn play --slot=1 --choose=,C,r,A\n"), std::string::npos);
  EXPECT_NE(result.out.find("未到達のブロック : ORPHAN（どこからもジャンプしていません）\n"),
            std::string::npos);
  EXPECT_NE(result.out.find("存在しないブロックへのジャンプ : DOOR -> NOWHERE : qvn play --slot=1 "
                            "--choose=,A,,B,\n"),
            std::string::npos);
  EXPECT_NE(
      result.out.find("抜け出せない@NOWAITの循環 : FALL1 : qvn play --slot=1 --choose=,A,,C\n"),
      std::string::npos);
  EXPECT_NE(result.out.find("表示されない選択肢 : HALL の 5 番目「開かない道」\n"),
            std::string::npos);
  EXPECT_NE(result.out.find("問題が 5 件見つかりました。\n"), std::string::npos);
}

TEST_F(QvnExplore, AnEnglishLocaleGetsTheReportInEnglishAndTheSameJson) {
  auto explore = [this](const char* lang, std::vector<std::string> args) {
    std::vector<std::string> argv = {"/usr/bin/env", lang, QvnBinary(), "explore"};
    argv.insert(argv.end(), args.begin(), args.end());
    argv.push_back(Story());
    return RunCommand(argv);
  };
  CommandResult result = explore("LANG=en_US.UTF-8", {});
  EXPECT_EQ(result.status, 1);
  for (const char* line : {
           "Blocks: 13   reached: 11   not reached: 2\n",
           "  SECRET : qvn play --slot=1 --choose=,C,r,A\n",
           "Block never reached: ORPHAN (nothing jumps to it)\n",
           "Jump to a missing block: DOOR -> NOWHERE : qvn play --slot=1 --choose=,A,,B,\n",
           "Choice never offered: HALL, choice 5 \"開かない道\"\n",
           "Problems found: 5.\n",
       })
    EXPECT_NE(result.out.find(line), std::string::npos) << line << "\n" << result.out;
  EXPECT_EQ(result.out.find("ブロック"), std::string::npos) << result.out;
  // C.UTF-8 and ja_JP are Japanese; the JSON, read by tools, is one for all.
  for (const char* lang : {"LANG=C.UTF-8", "LANG=ja_JP.UTF-8"})
    EXPECT_NE(explore(lang, {}).out.find("問題が 5 件見つかりました。\n"), std::string::npos)
        << lang;
  EXPECT_EQ(explore("LANG=en_US.UTF-8", {"--json"}).out, explore("LANG=C.UTF-8", {"--json"}).out);
  // A story cut off by the limit says so in the same words.
  CommandResult cut = explore("LANG=en_US.UTF-8", {"--max-states=3"});
  EXPECT_NE(cut.out.find("States explored: 3 (stopped early: the limit was reached)\n"),
            std::string::npos)
      << cut.out;
  EXPECT_NE(cut.out.find("Block not explored: "), std::string::npos) << cut.out;
}

TEST_F(QvnExplore, ExitStatusTellsCleanFromProblemsFromIncomplete) {
  Compile(
      "#START\r\n入口。\r\n?END\r\nTOWER\r\n"
      "#TOWER\r\n!A+\r\n階段。\r\n?000\r\n上へ\r\nTOWER\r\n?A=Z\r\n屋上へ\r\nROOF\r\n?END\r\n"
      "#ROOF\r\nおわり\r\n/\r\n");
  // START; TOWER entered with A = A to Y and again with Z; ROOF.
  CommandResult all = Explore({"--max-states=28", Story()});
  EXPECT_EQ(all.status, 0) << all.out;
  EXPECT_NE(all.out.find("調べた状態の数 : 28\n"), std::string::npos) << all.out;
  EXPECT_NE(all.out.find("問題は見つかりませんでした。"), std::string::npos);
  CommandResult cut = Explore({"--max-states=27", "--json", Story()});
  EXPECT_EQ(cut.status, 2);
  EXPECT_NE(cut.out.find("\"states\": 27,\n  \"complete\": false"), std::string::npos) << cut.out;
}

TEST_F(QvnExplore, EveryReportedReplayPlaysAloneAndCutOffBlocksAreNotProblems) {
  // %1 has no default: a replay has to answer it. D's guarded end does not
  // hold on a first play, so the reader goes on with E's page and choice.
  Compile(
      "%1=Name,\r\n"
      "#START\r\n入口。\r\n?END\r\nD\r\n"
      "#D\r\n?900\r\n/\r\n"
      "#E\r\n%1の部屋。\r\n?000\r\n出る\r\nOUT\r\n?END\r\n"
      "#OUT\r\nおわり\r\n/\r\n");
  CommandResult found = Explore({"--json", Story()});
  EXPECT_EQ(found.status, 0) << found.out;
  const std::string replay = "\"replay\": [\"--slot=1\", \"--var=1=x\", \"--choose=,\"]";
  ASSERT_NE(found.out.find("{\"block\": \"OUT\", \"keys\": \",\", " + replay + "}"),
            std::string::npos)
      << found.out;
  CommandResult text = Explore({Story()});
  EXPECT_NE(text.out.find("  OUT : qvn play --slot=1 --var=1=x --choose=,\n"), std::string::npos)
      << text.out;
  WriteBytes(folder / "t.Q01", fresh_slot);
  CommandResult played =
      RunCommand({QvnBinary(), "play", "--slot=1", "--var=1=x", "--choose=,", Story()});
  EXPECT_EQ(played.status, 0) << played.err;
  EXPECT_NE(played.out.find("おわり\n[開く]"), std::string::npos) << played.out;

  // Two states only (START, and D with E's page): OUT is not explored, which
  // is no problem.
  CommandResult cut = Explore({"--max-states=2", Story()});
  EXPECT_EQ(cut.status, 2);
  EXPECT_NE(cut.out.find("未探索のブロック : OUT（上限までに調べが届きませんでした）\n"),
            std::string::npos)
      << cut.out;
  EXPECT_NE(cut.out.find("問題は見つかりませんでした。"), std::string::npos) << cut.out;
  CommandResult cut_json = Explore({"--max-states=2", "--json", Story()});
  EXPECT_NE(cut_json.out.find("{\"block\": \"OUT\", \"reason\": \"not_explored\"}"),
            std::string::npos)
      << cut_json.out;
}

// The demo is what a new author reads first: everything in it can be reached
// and every choice is offered somewhere.
TEST_F(QvnExplore, TheDemoStoryHasNothingOutOfReach) {
  std::filesystem::copy(QVN_TEST_DATA_DIR "/../examples/demo", folder / "demo");
  CommandResult compiled =
      RunCommand({QvnBinary(), "compile", (folder / "demo" / "demo.src").string()});
  ASSERT_EQ(compiled.status, 0) << compiled.out;
  CommandResult explored = Explore({(folder / "demo" / "demo.qvn").string()});
  EXPECT_EQ(explored.status, 0) << explored.out;
  EXPECT_NE(explored.out.find("未到達 : 0"), std::string::npos) << explored.out;
}

TEST_F(QvnExplore, BadUsageAndMissingStories) {
  EXPECT_EQ(Explore({}).status, 64);
  EXPECT_EQ(Explore({"--max-states=0", Story()}).status, 64);
  EXPECT_EQ(Explore({"--max-states=1", Story()}).status, 2);
  EXPECT_EQ(Explore({"--max-states=4294967295", Story()}).status, 64);
  EXPECT_EQ(Explore({"--max-states=12x", Story()}).status, 64);
  EXPECT_EQ(Explore({"--frobnicate", Story()}).status, 64);
  EXPECT_EQ(Explore({Story(), Story()}).status, 64);
  CommandResult missing = Explore({(folder / "none.qvn").string()});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("その名前のコンパイル済みの作品はありません"), std::string::npos);
  // A damaged index is refused with the reason, as `qvn play` does.
  WriteBytes(folder / "t.qvj", "short");
  CommandResult damaged = Explore({Story()});
  EXPECT_EQ(damaged.status, 1);
  EXPECT_NE(damaged.err.find("壊れています"), std::string::npos) << damaged.err;
}

}  // namespace
}  // namespace qvn::testing
