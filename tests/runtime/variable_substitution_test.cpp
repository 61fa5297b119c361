#include "runtime/variable_substitution.h"

#include <gtest/gtest.h>

namespace qvn {
namespace {

StringVariables Variables() {
  StringVariables variables;
  variables[0].value = "Taro";
  variables[1].value = "%1%2";  // typed by a reader
  variables[8].value = Bytes(16, 'n');
  return variables;
}

TEST(SubstituteVariables, ReplacesPercentAndDigit) {
  EXPECT_EQ(SubstituteVariables("Hello %1!", Variables()), "Hello Taro!");
  EXPECT_EQ(SubstituteVariables("%1%1", Variables()), "TaroTaro");
  EXPECT_EQ(SubstituteVariables("%3", Variables()), "????") << "an unused variable";
}

TEST(SubstituteVariables, ShowsOtherPercentSignsAndNeverRescans) {
  EXPECT_EQ(SubstituteVariables("%2", Variables()), "%1%2") << "inserted text stays as typed";
  EXPECT_EQ(SubstituteVariables("100%", Variables()), "100%");
  EXPECT_EQ(SubstituteVariables("%0 %a %%1", Variables()), "%0 %a %Taro");
}

TEST(SubstituteVariables, CutsTo255Bytes) {
  Bytes line;
  for (int i = 0; i < 100; ++i) line += "%9";
  Bytes result = SubstituteVariables(line, Variables());
  EXPECT_EQ(result, Bytes(255, 'n'));
}

}  // namespace
}  // namespace qvn
