// The explorer on small compiled stories whose answers are worked out by hand.
#include <gtest/gtest.h>

#include "common/encoding.h"
#include "runtime/block_index.h"
#include "runtime/exploration_report.h"
#include "runtime/story_explorer.h"
#include "story_builder.h"

namespace qvn::testing {
namespace {

Exploration Explore(const StoryBuilder& story, std::uint64_t max_states = kDefaultMaxStates) {
  BlockIndex index;
  EXPECT_EQ(index.Assign(story.Index()), "");
  return ExploreStory(story.Body(), index, max_states);
}

TEST(StoryExplorer, AnEndingOnlyASecondPlayReachesThroughAKeptFlag) {
  // Flag 501 survives the end of a play; flag 1 does not.
  StoryBuilder story;
  story.Block("START", {"text", "?501", "secret door", "SECRET", "?000", "go", "END1", "?END"})
      .Block("END1", {"!501", "!001", "the end", "/"})
      .Block("SECRET", {"?001", "!002", "hidden end", "/"});
  Exploration found = Explore(story);
  EXPECT_TRUE(found.complete);
  EXPECT_EQ(found.reached, (std::vector<Bytes>{"START", "END1", "SECRET"}));
  EXPECT_TRUE(found.unreached.empty());
  ASSERT_EQ(found.endings.size(), 2u);
  // One control on the first page ("Next"), r to open again, then A.
  EXPECT_EQ(found.endings[0].block, "END1");
  EXPECT_EQ(ChooseArgument(found.endings[0].keys), "");
  EXPECT_EQ(found.endings[0].keys, ".");
  EXPECT_EQ(found.endings[1].block, "SECRET");
  EXPECT_EQ(ChooseArgument(found.endings[1].keys), ",r,A");
  // START (new), END1, START (501 kept), END1 again (1, 501), SECRET: the
  // second END1 ends with the same kept flag, so its restart is not new.
  EXPECT_EQ(found.states, 5u);
  EXPECT_FALSE(found.FoundProblems());
}

TEST(StoryExplorer, BlocksNoWayReachesAreToldApartByWhy) {
  StoryBuilder story;
  story.Block("START", {"text", "?900", "never", "LOCKED", "?000", "on", "END", "?END"})
      .Block("END", {"bye", "/"})
      .Block("LOCKED", {"behind a flag nobody sets", "/"})
      .Block("ORPHAN", {"nobody jumps here", "/"});
  Exploration found = Explore(story);
  ASSERT_EQ(found.unreached.size(), 2u);
  EXPECT_EQ(found.unreached[0].block, "LOCKED");
  EXPECT_EQ(found.unreached[0].reason, UnreachedReason::kClosedWaysIn);
  EXPECT_EQ(found.unreached[1].block, "ORPHAN");
  EXPECT_EQ(found.unreached[1].reason, UnreachedReason::kNoWayIn);
  ASSERT_EQ(found.never_shown_choices.size(), 1u);
  EXPECT_EQ(found.never_shown_choices[0].block, "START");
  EXPECT_EQ(found.never_shown_choices[0].choice, 1);
  EXPECT_EQ(found.never_shown_choices[0].caption, "never");
  EXPECT_TRUE(found.FoundProblems());
}

TEST(StoryExplorer, AJumpToAMissingBlockIsFoundOnlyWhereItsConditionHolds) {
  StoryBuilder story;
  story.Block("START", {"hall", "?000", "take key", "KEY", "?000", "door", "DOOR", "?END"})
      .Block("KEY", {"!010", "a key", "?END", "START"})
      .Block("DOOR", {"a door", "?END", "?010,NOWHERE", "SAFE"})
      .Block("SAFE", {"out", "/"});
  Exploration found = Explore(story);
  ASSERT_EQ(found.jump_errors.size(), 1u);
  EXPECT_EQ(found.jump_errors[0].block, "DOOR");
  EXPECT_EQ(found.jump_errors[0].target, "NOWHERE");
  EXPECT_EQ(ChooseArgument(found.jump_errors[0].keys), "A,,B,");
  ASSERT_EQ(found.endings.size(), 1u);
  EXPECT_EQ(ChooseArgument(found.endings[0].keys), "B,");
}

TEST(StoryExplorer, ASilentCircleIsFoundWhereAReaderCanEnterIt) {
  StoryBuilder story;
  story.Block("START", {"hall", "?000", "well", "EDGE", "?000", "home", "HOME", "?END"})
      .Block("EDGE", {"the edge", "?000", "jump", "FALL1", "?000", "back", "START", "?END"})
      .Block("FALL1", {"@NOWAIT", "?END", "FALL2"})
      .Block("FALL2", {"@NOWAIT", "?END", "FALL1"})
      .Block("HOME", {"home", "/"});
  Exploration found = Explore(story);
  ASSERT_EQ(found.silent_circles.size(), 1u);
  EXPECT_EQ(found.silent_circles[0].block, "FALL1");
  EXPECT_EQ(ChooseArgument(found.silent_circles[0].keys), "A,A");
  EXPECT_EQ(found.reached.size(), 5u);
}

TEST(StoryExplorer, AChainOfSilentJumpsThatCountsToItsEndIsNoCircle) {
  // COUNT raises A until it reaches E, then leaves: five silent jumps.
  StoryBuilder story;
  story.Block("START", {"hall", "?END", "COUNT"})
      .Block("COUNT", {"!A+", "@NOWAIT", "?END", "?A=E,DONE", "COUNT"})
      .Block("DONE", {"done", "/"});
  Exploration found = Explore(story);
  EXPECT_TRUE(found.silent_circles.empty());
  ASSERT_EQ(found.endings.size(), 1u);
  EXPECT_EQ(found.endings[0].block, "DONE");
}

TEST(StoryExplorer, ACounterStopsAtZ) {
  // Each visit of START raises A; the second choice needs A = Z, reached on
  // the 25th visit. A raised at Z stays Z, so START has 26 states, TOP one.
  StoryBuilder story;
  story.Block("START", {"!A+", "climb", "?000", "again", "START", "?A=Z", "top", "TOP", "?END"})
      .Block("TOP", {"the top", "/"});
  Exploration found = Explore(story);
  EXPECT_EQ(found.states, 27u);
  ASSERT_EQ(found.endings.size(), 1u);
  EXPECT_EQ(ChooseArgument(found.endings[0].keys), std::string(24, ',') + "B");
  EXPECT_FALSE(found.FoundProblems());

  // A silent block that raises a counter comes round once it is stuck at Z.
  StoryBuilder spin;
  spin.Block("START", {"hall", "?END", "SPIN"}).Block("SPIN", {"!A+", "@NOWAIT", "?END", "SPIN"});
  Exploration spun = Explore(spin);
  ASSERT_EQ(spun.silent_circles.size(), 1u);
  EXPECT_EQ(spun.silent_circles[0].block, "SPIN");
}

TEST(StoryExplorer, MaxStatesStopsTheWalkAndSaysSo) {
  StoryBuilder story;
  story.Block("START", {"!A+", "climb", "?000", "again", "START", "?A=Z", "top", "TOP", "?END"})
      .Block("TOP", {"the top", "/"});
  Exploration all = Explore(story, 27);
  EXPECT_TRUE(all.complete);
  EXPECT_EQ(all.states, 27u);
  Exploration cut = Explore(story, 26);
  EXPECT_FALSE(cut.complete);
  EXPECT_EQ(cut.states, 26u);
}

TEST(StoryExplorer, ASeventhChoiceIsNeverShownBesideSixOthers) {
  std::vector<Bytes> records = {"menu"};
  for (char c = '1'; c <= '7'; ++c) {
    records.push_back("?000");
    records.push_back(Bytes("choice ") + c);
    records.push_back("END");
  }
  records.push_back("?END");
  StoryBuilder story;
  story.Block("START", records).Block("END", {"end", "/"});
  Exploration found = Explore(story);
  ASSERT_EQ(found.never_shown_choices.size(), 1u);
  EXPECT_EQ(found.never_shown_choices[0].choice, 7);
  EXPECT_EQ(found.never_shown_choices[0].caption, "choice 7");
}

TEST(StoryExplorer, DataThatCannotBePlayedIsReportedWithItsWay) {
  // Every choice hidden and nothing after "?END": the jump list runs past
  // the end of the body, as the browser would read it.
  StoryBuilder story;
  story.Block("START", {"hall", "?000", "on", "LAST", "?END"})
      .Block("LAST", {"x", "?900", "never", "START", "?END"});
  BlockIndex index;
  ASSERT_EQ(index.Assign(story.Index()), "");
  // The body without its trailer, so that reading on finds its end.
  Bytes body = story.Body();
  body.resize(static_cast<std::size_t>(index.FindBlock("QVNALTER")));
  Exploration found = ExploreStory(body, index);
  ASSERT_EQ(found.play_errors.size(), 1u);
  EXPECT_EQ(found.play_errors[0].block, "LAST");
  EXPECT_EQ(ChooseArgument(found.play_errors[0].keys), "");
  EXPECT_TRUE(found.FoundProblems());
}

TEST(ExplorationReport, ProblemsCarryTheirBlock) {
  StoryBuilder story;
  story.Block("START", {"text", "?END", "GONE"}).Block("ORPHAN", {"x", "/"});
  std::vector<ReportLine> lines = ExplorationReport(Explore(story));
  std::vector<Bytes> problem_blocks;
  for (const ReportLine& line : lines)
    if (line.problem) problem_blocks.push_back(line.block);
  EXPECT_EQ(problem_blocks, (std::vector<Bytes>{"ORPHAN", "START"}));
  EXPECT_FALSE(lines.back().problem);
}

// The workbench tells the way in the reader's words; `qvn explore` keeps the
// option it takes.
TEST(ExplorationReport, WaysInWordsOrAsTheChooseOption) {
  StoryBuilder story;
  story.Block("START", {"text", "?501", "secret door", "SECRET", "?000", "go", "END1", "?END"})
      .Block("END1", {"!501", "!001", "the end", "/"})
      .Block("SECRET", {"?001", "!002", "hidden end", "/"});
  Exploration found = Explore(story);
  auto has = [](const std::vector<ReportLine>& lines, const Bytes& text) {
    for (const ReportLine& line : lines)
      if (line.text == text) return true;
    return false;
  };
  std::vector<ReportLine> words = ExplorationReport(found, WayForm::kWords);
  EXPECT_TRUE(has(words, Sjis(u8"  END1 : 次へ")));
  EXPECT_TRUE(has(words, Sjis(u8"  SECRET : 次へ → 開き直す → A")));
  std::vector<ReportLine> option = ExplorationReport(found);
  EXPECT_TRUE(has(option, Bytes("  END1 : --choose=")));
  EXPECT_TRUE(has(option, Bytes("  SECRET : --choose=,r,A")));
}

}  // namespace
}  // namespace qvn::testing
