// The block graph and the JSON report of hand-built stories: DOT as written,
// SVG as Graphviz draws it, read back with an XML parser.
#include <gtest/gtest.h>
#include <libxml/parser.h>

#include "analysis/exploration_json.h"
#include "analysis/graph_dot.h"
#include "analysis/graph_svg.h"
#include "analysis/story_outline.h"
#include "runtime/block_index.h"
#include "story_builder.h"

namespace qvn::testing {
namespace {

bool WellFormed(const std::string& xml) {
  xmlDocPtr doc = xmlReadMemory(xml.data(), static_cast<int>(xml.size()), "graph.svg", nullptr,
                                XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  if (!doc) return false;
  xmlFreeDoc(doc);
  return true;
}

TEST(StoryGraph, EdgesAndNodesAsTheRuntimeWouldGo) {
  struct {
    const char* what;
    StoryBuilder story;
    std::vector<std::string> in_dot;
  } cases[] = {
      {"a control byte in a caption is dropped",
       StoryBuilder()
           .Block("START", {"x", "?000",
                            "a\x01"
                            "b",
                            "END", "?END"})
           .Block("END", {"e", "/"}),
       {"b1 -> b2 [label=\"ab\"];"}},
      {"a jump to the trailer's marker is a missing block",
       StoryBuilder().Block("START", {"x", "?END", "QVNALTER"}),
       {"missing_51564e414c544552 [label=\"QVNALTER\", shape=plaintext, fontcolor=red];",
        "b1 -> missing_51564e414c544552 [label=\"\"];"}},
      {"the only choice hidden: the target after ?END is the way on",
       StoryBuilder()
           .Block("START", {"x", "?900", "never", "LOCKED", "?END", "AFTER"})
           .Block("LOCKED", {"l", "/"})
           .Block("AFTER", {"a", "/"}),
       {"b1 -> b2 [label=\"never\"];", "b1 -> b3 [label=\"\"];"}},
  };
  for (const auto& c : cases) {
    BlockIndex index;
    ASSERT_EQ(index.Assign(c.story.Index()), "");
    Bytes body = c.story.Body();
    std::string dot = StoryGraphDot(ReadOutline(body, index), index);
    for (const std::string& line : c.in_dot)
      EXPECT_NE(dot.find(line), std::string::npos) << c.what << "\n" << dot;
    SvgResult drawn = RenderSvg(dot);
    ASSERT_EQ(drawn.outcome, SvgOutcome::kDrawn) << c.what << ": " << drawn.error;
    EXPECT_TRUE(WellFormed(drawn.svg)) << c.what << "\n" << drawn.svg;
  }
}

TEST(StoryGraph, AGraphTooLargeForItsBudgetIsRefusedPlainly) {
  SvgBudget budget;
  budget.seconds = 0;  // out of time before Graphviz starts
  SvgResult drawn = RenderSvg("digraph story { a -> b; }", budget);
  EXPECT_EQ(drawn.outcome, SvgOutcome::kTooLarge);
  EXPECT_NE(drawn.error.find("グラフが大きすぎて 0 秒と"), std::string::npos) << drawn.error;
  std::atomic<bool> cancel{true};
  EXPECT_EQ(RenderSvg("digraph story { a -> b; }", {}, &cancel).outcome, SvgOutcome::kCancelled);
}

TEST(ExplorationJson, CaptionsAndNamesAreJsonStrings) {
  Exploration found;
  // A backslash (the yen sign of CP932 text), a quote and a control byte.
  found.never_shown_choices.push_back({"S", 1, "a\\b\"c\x01"});
  std::string json = ExplorationJson(found);
  EXPECT_NE(json.find("\"caption\": \"a\\\\b\\\"c\\u0001\""), std::string::npos) << json;
}

}  // namespace
}  // namespace qvn::testing
