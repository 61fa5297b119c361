#include "workbench/source_line_kinds.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qvn {
namespace {

using Kind = SourceLineKind;

TEST(SourceLineKindsTest, EachLineOfAStoryGetsItsKind) {
  struct Line {
    const char* text;
    Kind kind;
  } lines[] = {
      {"; a comment", Kind::kComment},
      {"TITLE=t", Kind::kHeader},
      {"VERSION=1.00", Kind::kHeader},
      {"%1=hero,Alex", Kind::kHeader},
      {"stray", Kind::kText},  // a compile error, but no header statement
      {"#START", Kind::kBlockHead},
      {"?001", Kind::kCondition},  // before a flag line
      {"!002", Kind::kFlag},
      {">COL=1", Kind::kDirective},
      {"Hello %1.", Kind::kText},
      {"", Kind::kText},
      {"?A<C", Kind::kCondition},  // a choice's condition
      {"Go on", Kind::kText},      // its caption
      {"?002,OTHER", Kind::kJump},
      {"NEXT", Kind::kTarget},
      {"?end", Kind::kCondition},  // closes the choices
      {"#NEXT", Kind::kBlockHead},
      {"text", Kind::kText},
      {"?END", Kind::kCondition},
      {"?NOT003,AGAIN", Kind::kJump},
      {"%1", Kind::kText},  // a "%" line is never a target
      {"START", Kind::kTarget},
      {"#END", Kind::kBlockHead},
      {"bye", Kind::kText},
      {"/", Kind::kEndOfStory},
  };
  int state = kSourceLinesStart;
  for (const Line& line : lines) {
    SourceLineClass found = ClassifySourceLine(line.text, state);
    EXPECT_EQ(found.kind, line.kind) << line.text;
  }
  int jump_state = 4;  // after a caption
  SourceLineClass jump = ClassifySourceLine("?002,OTHER", jump_state);
  EXPECT_EQ(jump.target_start, 5u);
  // Non-ASCII text (as the editor hands it over) is text.
  int text_state = 0;
  EXPECT_EQ(ClassifySourceLine("xxx?", text_state).kind, Kind::kText);
}

}  // namespace
}  // namespace qvn
