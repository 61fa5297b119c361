#include "common/number_field.h"

#include <gtest/gtest.h>

namespace qvn {
namespace {

TEST(NumberField, AcceptsDecimalHexBlanksAndSign) {
  EXPECT_EQ(ParseNumberField("001"), 1);
  EXPECT_EQ(ParseNumberField("  16"), 16);
  EXPECT_EQ(ParseNumberField("-01"), -1);
  EXPECT_EQ(ParseNumberField("+5"), 5);
  EXPECT_EQ(ParseNumberField("$1F"), 31);
  EXPECT_EQ(ParseNumberField("$ff"), 255);
  EXPECT_EQ(ParseNumberField("$FFFFFFFF"), -1);
}

TEST(NumberField, RefusesEverythingElse) {
  for (BytesView field : {"", " ", "-", "+", "$", "1 ", "1a", "NOT", "$G", "$123456789",
                          "99999999999", "0x10", "\x82\x4f"}) {
    EXPECT_FALSE(ParseNumberField(field).has_value()) << field;
  }
}

}  // namespace
}  // namespace qvn
