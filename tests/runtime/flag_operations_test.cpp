#include "runtime/flag_operations.h"

#include <gtest/gtest.h>

#include "runtime/story_error.h"

namespace qvn {
namespace {

TEST(CounterOperations, StayBetweenAAndZ) {
  StoryState state;
  state.counters['X' - 'A'] = 'Z';
  ApplyFlagRecord("!X+", state);
  EXPECT_EQ(state.counters['X' - 'A'], 'Z') << "raised at Z stays Z";
  ApplyFlagRecord("!Y-", state);
  EXPECT_EQ(state.counters['Y' - 'A'], 'A') << "lowered at A stays A";
  ApplyFlagRecord("!B9", state);
  EXPECT_EQ(state.counters[1], 'J');
  ApplyFlagRecord("!C@", state);
  EXPECT_EQ(state.counters[2], 'Q');
  ApplyFlagRecord("!C0", state);
  EXPECT_EQ(state.counters[2], 'A');
  ApplyFlagRecord("!DB", state);
  EXPECT_EQ(state.counters[3], 'J') << "copies counter B";
  ApplyFlagRecord("!D+", state);
  EXPECT_EQ(state.counters[3], 'K');
  StoryState before = state;
  ApplyFlagRecord("!D*", state);
  ApplyFlagRecord("!a+", state);  // names no counter
  ApplyFlagRecord("![+", state);
  EXPECT_EQ(state.counters, before.counters);
}

TEST(FlagOperations, CopyInvertOrAndSetLists) {
  StoryState state;
  state.flags[1] = 1;
  ApplyFlagRecord("!-001=002", state);
  EXPECT_EQ(state.flags[2], 0) << "inverse of flag 1";
  ApplyFlagRecord("!+001=003", state);
  EXPECT_EQ(state.flags[3], 1);
  ApplyFlagRecord("!001+002=004", state);
  EXPECT_EQ(state.flags[4], 1) << "OR";
  ApplyFlagRecord("!001*002=005", state);
  EXPECT_EQ(state.flags[5], 0) << "AND";
  state.flags[2] = 1;
  ApplyFlagRecord("!001&002=005", state);
  EXPECT_EQ(state.flags[5], 1);

  StoryState list;
  list.flags[2] = 1;
  ApplyFlagRecord("!001NOT002003", list);
  EXPECT_EQ(list.flags[1], 1);
  EXPECT_EQ(list.flags[2], 0);
  EXPECT_EQ(list.flags[3], 1) << "the value returns to 1 after each flag";
  ApplyFlagRecord("!999$0A", list);
  EXPECT_EQ(list.flags[999], 1);
  EXPECT_EQ(list.flags[10], 1) << "numbers follow the number-field rule";
  // "001" sets flag 1; the incomplete group "0" is not read (it would set
  // flag 0, cleared here to show it).
  list.flags[0] = 0;
  list.flags[1] = 0;
  ApplyFlagRecord("!0010", list);
  EXPECT_EQ(list.flags[1], 1);
  EXPECT_EQ(list.flags[0], 0);
  int set = 0;
  for (int flag = 0; flag < kFlagCount; ++flag) set += list.flags[flag];
  EXPECT_EQ(set, 4) << "flags 3, 10 and 999 from before, and flag 1";
}

TEST(FlagOperations, UnconvertibleFlagNumbersEndTheBlockInsteadOfReachingOutside) {
  StoryState state;
  EXPECT_THROW(ApplyFlagRecord("!00x", state), StoryError);
  EXPECT_THROW(ApplyFlagRecord("!-01", state), StoryError);
  EXPECT_THROW(ApplyFlagRecord("!+0a1=002", state), StoryError);
  EXPECT_THROW(EvaluateCondition("?A1B", state), StoryError);
  EXPECT_THROW(EvaluateCondition("?-05", state), StoryError);
}

TEST(Conditions, FlagsNotAndCounters) {
  StoryState state;
  EXPECT_TRUE(EvaluateCondition("?", state));
  EXPECT_TRUE(EvaluateCondition("?NOT001", state));
  state.flags[1] = 1;
  EXPECT_FALSE(EvaluateCondition("?NOT001", state));
  EXPECT_TRUE(EvaluateCondition("?001NOT002", state));
  state.flags[2] = 1;
  EXPECT_FALSE(EvaluateCondition("?001NOT002", state));
  EXPECT_TRUE(EvaluateCondition("?000", state)) << "flag 0 is set from the start";
  EXPECT_FALSE(EvaluateCondition("?NOT000", state));
  EXPECT_TRUE(EvaluateCondition("?NOT003001", state)) << "NOT applies to one flag only";

  state.counters[0] = 'C';
  state.counters[1] = 'C';
  EXPECT_TRUE(EvaluateCondition("?A:B", state));
  EXPECT_TRUE(EvaluateCondition("?A=C", state));
  EXPECT_TRUE(EvaluateCondition("?A<D", state));
  EXPECT_FALSE(EvaluateCondition("?A<C", state));
  EXPECT_TRUE(EvaluateCondition("?A>B", state));
  EXPECT_FALSE(EvaluateCondition("?A>C001", state)) << "all groups must hold";
  EXPECT_FALSE(EvaluateCondition("?a:B", state)) << "no counter a";
  EXPECT_FALSE(EvaluateCondition("?A:b", state));
  EXPECT_TRUE(EvaluateCondition("?001A", state)) << "an incomplete group is not read";
}

}  // namespace
}  // namespace qvn
