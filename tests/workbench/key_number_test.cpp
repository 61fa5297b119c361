#include "workbench/key_number.h"

#include <gtest/gtest.h>

namespace qvn {
namespace {

TEST(KeyNumberTest, OnlyNumbersFrom256To32000AreKeys) {
  EXPECT_EQ(KeyNumberOf("256"), 256);
  EXPECT_EQ(KeyNumberOf("32000"), 32000);
  EXPECT_EQ(KeyNumberOf("  1000"), 1000);
  EXPECT_EQ(KeyNumberOf("+300"), 300);
  EXPECT_EQ(KeyNumberOf("$100"), 256);
  EXPECT_EQ(KeyNumberOf("$7D00"), 32000);
  for (BytesView bad :
       {"255", "32001", "12a", "", " ", "-1000", "$", "$7D01", "1000 ", "0x100", "99999999999"})
    EXPECT_FALSE(KeyNumberOf(bad).has_value()) << bad;
}

TEST(KeyNumberTest, ArrowsWrapAtBothEnds) {
  EXPECT_EQ(StepKeyNumber(32000, 1), 256);
  EXPECT_EQ(StepKeyNumber(256, -1), 32000);
  EXPECT_EQ(StepKeyNumber(1000, 1), 1001);
  EXPECT_EQ(StepKeyNumber(1000, -1), 999);
  // A number outside the range is brought into it before the step.
  EXPECT_EQ(StepKeyNumber(100, 1), 257);
  EXPECT_EQ(StepKeyNumber(50000, -1), 31999);
}

TEST(KeyNumberTest, TheDialogNeedsAPasswordAndAValidKey) {
  EXPECT_TRUE(PasswordInputComplete("story", "1000"));
  EXPECT_FALSE(PasswordInputComplete("", "1000"));
  EXPECT_FALSE(PasswordInputComplete("story", "255"));
  EXPECT_FALSE(PasswordInputComplete("story", "12a"));
}

}  // namespace
}  // namespace qvn
