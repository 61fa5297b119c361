// `qvn graph`: DOT written by the project, SVG drawn by Graphviz's library,
// checked with an XML parser.
#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <filesystem>
#include <set>

#include "common/encoding.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_folder.h"

namespace qvn::testing {
namespace {

// The text of every <text> element of a well-formed document; nullopt when
// the document is not well-formed.
std::optional<std::set<std::string>> SvgTexts(const std::string& svg) {
  xmlDocPtr doc = xmlReadMemory(svg.data(), static_cast<int>(svg.size()), "graph.svg", nullptr,
                                XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  if (!doc) return std::nullopt;
  std::set<std::string> texts;
  std::vector<xmlNodePtr> nodes = {xmlDocGetRootElement(doc)};
  while (!nodes.empty()) {
    xmlNodePtr node = nodes.back();
    nodes.pop_back();
    for (xmlNodePtr child = node->children; child; child = child->next) {
      if (child->type != XML_ELEMENT_NODE) continue;
      if (xmlStrEqual(child->name, BAD_CAST "text")) {
        xmlChar* content = xmlNodeGetContent(child);
        texts.insert(reinterpret_cast<const char*>(content));
        xmlFree(content);
      }
      nodes.push_back(child);
    }
  }
  xmlFreeDoc(doc);
  return texts;
}

class QvnGraph : public ::testing::Test {
 protected:
  CommandResult Graph(std::vector<std::string> args) {
    std::vector<std::string> argv = {QvnBinary(), "graph"};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunCommand(argv);
  }
  std::string CompileSource(const std::string& source) {
    WriteBytes(folder / "g.src", Utf8ToCp932(source));
    CommandResult compiled =
        RunCommand({QvnBinary(), "compile", "--jump-check=off", (folder / "g.src").string()});
    EXPECT_EQ(compiled.status, 0) << compiled.out;
    return (folder / "g.qvn").string();
  }

  TempFolder folder;
};

TEST_F(QvnGraph, TheDemoStoryIsWellFormedSvgNamingEveryBlock) {
  std::filesystem::copy(QVN_TEST_DATA_DIR "/../examples/demo", folder / "demo");
  CommandResult compiled =
      RunCommand({QvnBinary(), "compile", (folder / "demo" / "demo.src").string()});
  ASSERT_EQ(compiled.status, 0) << compiled.out;
  CommandResult drawn = Graph({"--format=svg", (folder / "demo" / "demo.qvn").string()});
  ASSERT_EQ(drawn.status, 0) << drawn.err;
  std::optional<std::set<std::string>> texts = SvgTexts(drawn.out);
  ASSERT_TRUE(texts.has_value()) << drawn.out.substr(0, 400);
  for (const char* block : {"START", "SHELF", "BOOK", "PAGE", "RETURN", "HOME", "SECRET", "ENDING",
                            "NORMAL", "TRUEEND"})
    EXPECT_EQ(texts->count(block), 1u) << block;
  EXPECT_EQ(texts->count("本を受け取る"), 1u);
}

TEST_F(QvnGraph, LabelsAreEscapedForDotAndXml) {
  std::string story = CompileSource(
      "#START\r\n入口。\r\n"
      "?000\r\nsay \"hi\" \\ <b>&amp;</b>\r\nEND\r\n"
      "?000\r\n壊れた道\r\nNOWHERE\r\n"
      "?END\r\n"
      "#END\r\nおわり\r\n/\r\n");
  CommandResult dot = Graph({story});
  ASSERT_EQ(dot.status, 0) << dot.err;
  EXPECT_NE(dot.out.find("b1 -> b2 [label=\"say \\\"hi\\\" \\\\ <b>&amp;amp;</b>\"];"),
            std::string::npos)
      << dot.out;
  EXPECT_NE(dot.out.find("[label=\"NOWHERE\", shape=plaintext, fontcolor=red];"), std::string::npos)
      << dot.out;
  EXPECT_NE(dot.out.find("b1 [label=\"START\", peripheries=2, penwidth=2];"), std::string::npos);
  EXPECT_NE(dot.out.find("b2 [label=\"END\", shape=octagon];"), std::string::npos);

  CommandResult svg = Graph({"--format=svg", story});
  ASSERT_EQ(svg.status, 0) << svg.err;
  std::optional<std::set<std::string>> texts = SvgTexts(svg.out);
  ASSERT_TRUE(texts.has_value());
  EXPECT_EQ(texts->count("say \"hi\" \\ <b>&amp;</b>"), 1u);
  EXPECT_EQ(texts->count("NOWHERE"), 1u);
}

TEST_F(QvnGraph, ExploreGreysUnreachedBlocksAndDashesChoicesNeverOffered) {
  std::string story = CompileSource(
      "#START\r\n入口。\r\n"
      "?900\r\n開かない\r\nLOCKED\r\n"
      "?000\r\n進む\r\nNEXT\r\n"
      "?END\r\n"
      "#NEXT\r\n@NOWAIT\r\n?END\r\nEND\r\n"
      "#END\r\nおわり\r\n/\r\n"
      "#LOCKED\r\n鍵の間\r\n/\r\n");
  CommandResult plain = Graph({story});
  EXPECT_EQ(plain.out.find("fillcolor=grey85"), std::string::npos);
  EXPECT_NE(plain.out.find("b2 [label=\"NEXT\", shape=ellipse, style=dashed];"), std::string::npos)
      << plain.out;
  CommandResult explored = Graph({"--explore", story});
  ASSERT_EQ(explored.status, 0);
  EXPECT_NE(explored.out.find("b4 [label=\"LOCKED\", shape=octagon, style=filled, "
                              "fillcolor=grey85, fontcolor=grey45, color=grey60];"),
            std::string::npos)
      << explored.out;
  EXPECT_NE(explored.out.find("b1 -> b4 [label=\"開かない\", style=dashed"), std::string::npos);
  EXPECT_NE(explored.out.find("b1 -> b2 [label=\"進む\"];"), std::string::npos);
}

TEST_F(QvnGraph, ThePartAroundABlockReachesTwoWaysEitherSide) {
  // A chain A -> B -> C -> D -> E: two ways from C leave out nothing but
  // what lies beyond A and E; from A, D and E are too far.
  std::string story = CompileSource(
      "#A\r\na\r\n?END\r\nB\r\n#B\r\nb\r\n?END\r\nC\r\n#C\r\nc\r\n?END\r\nD\r\n"
      "#D\r\nd\r\n?END\r\nE\r\n#E\r\ne\r\n/\r\n");
  CommandResult around = Graph({"--around=A", story});
  ASSERT_EQ(around.status, 0) << around.err;
  EXPECT_NE(around.out.find("b2 -> b3"), std::string::npos) << around.out;
  EXPECT_EQ(around.out.find("b4"), std::string::npos) << around.out;
  EXPECT_NE(around.out.find("b1 [label=\"A\", peripheries=2, penwidth=2, style=\"filled,bold\""),
            std::string::npos)
      << around.out;
  CommandResult drawn = Graph({"--format=svg", "--around=C", story});
  ASSERT_EQ(drawn.status, 0) << drawn.err;
  std::optional<std::set<std::string>> texts = SvgTexts(drawn.out);
  ASSERT_TRUE(texts.has_value());
  EXPECT_EQ(*texts, (std::set<std::string>{"A", "B", "C", "D", "E"}));
  CommandResult missing = Graph({"--around=NONE", story});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("作品に NONE というブロックはありません"), std::string::npos)
      << missing.err;
  EXPECT_EQ(Graph({"--around=", story}).status, 64);
  EXPECT_EQ(Graph({"--around=NINEBYTES", story}).status, 64);
}

TEST_F(QvnGraph, BadUsage) {
  EXPECT_EQ(Graph({}).status, 64);
  EXPECT_EQ(Graph({"--format=png", "x.qvn"}).status, 64);
  EXPECT_EQ(Graph({"--sideways", "x.qvn"}).status, 64);
  CommandResult missing = Graph({(folder / "none.qvn").string()});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("その名前のコンパイル済みの作品はありません"), std::string::npos);
  CommandResult english = RunCommand(
      {"/usr/bin/env", "LANG=en_US.UTF-8", QvnBinary(), "graph", (folder / "none.qvn").string()});
  EXPECT_EQ(english.status, 1);
  EXPECT_NE(english.err.find(": no compiled story of that name ("), std::string::npos)
      << english.err;
}

}  // namespace
}  // namespace qvn::testing
