// `qvn play` answers the new-game prompt from --var or from the reader; an
// answer the prompt refuses never loops.
#include "tests/cli/play_fixture.h"

namespace qvn::testing {
namespace {

constexpr std::size_t npos = std::string::npos;

class PlayAnswers : public PlayTest {
 protected:
  void SetUp() override {
    CompileStory("var", {"%1=Name,Taro", "#S", "Hello %1", "?END", "S"});
    CompileStory("blank", {"%1=Name,", "#S", "Hello %1", "?END", "S"});
    fresh = ReadBytes(folder / "var.Q01");
  }
  Bytes fresh;
};

TEST_F(PlayAnswers, ARefusedAnswerIsAUsageErrorInAScriptedRun) {
  // An empty value, and one that CP932 cannot hold (U+1F600).
  for (std::string var : {"--var=1=", "--var=1=\xF0\x9F\x98\x80"}) {
    CommandResult result = Play({"--slot=1", var, "--choose=1", Story("var")});
    EXPECT_EQ(result.status, 64) << var;
    EXPECT_NE(result.err.find("qvn play: --var=1"), npos) << result.err;
    EXPECT_EQ(result.out.find("Hello"), npos) << result.out;
    EXPECT_EQ(ReadBytes(folder / "var.Q01"), fresh) << "the slot stays fresh";
  }
  // No --var for a variable without a default value.
  CommandResult missing = Play({"--choose=1", Story("blank")});
  EXPECT_EQ(missing.status, 64);
  EXPECT_NE(missing.err.find("--var=1=TEXT を与えてください"), npos) << missing.err;

  CommandResult given = Play({"--var=1=次郎", "--choose=", Story("blank")});
  EXPECT_EQ(given.status, 0) << given.err;
  EXPECT_NE(given.out.find("Hello 次郎\n"), npos) << given.out;
  EXPECT_EQ(SlotLine("blank.Q01", 4), "次郎");
}

TEST_F(PlayAnswers, ARefusedAnswerAtTheEndOfInputAbandonsTheOpen) {
  struct {
    std::vector<std::string> args;
    std::string input;
  } cases[] = {
      {{"--var=1="}, "1\n"},                  // the option refused, then no answer
      {{}, "1\n\xF0\x9F\x98\x80\n"},          // a typed answer CP932 cannot hold
      {{"--var=1=\xF0\x9F\x98\x80"}, "1\n"},  // the same given by option
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = c.args;
    args.push_back(Story("var"));
    CommandResult result = Play(args, c.input);
    EXPECT_EQ(result.status, 1) << c.input;
    EXPECT_NE(result.err.find("作品を開けませんでした"), npos) << result.err;
    EXPECT_EQ(ReadBytes(folder / "var.Q01"), fresh);
  }
  // Enter keeps an empty preset, which the prompt refuses: asked again.
  CommandResult blank = Play({Story("blank")}, "1\n\n");
  EXPECT_EQ(blank.status, 1);
  std::size_t first = blank.out.find("Nameを入力して下さい []: ");
  ASSERT_NE(first, npos) << blank.out;
  EXPECT_NE(blank.out.find("Nameを入力して下さい []: ", first + 1), npos) << blank.out;

  // A refused answer is asked again; the next one is taken.
  CommandResult retried = Play({Story("var")}, "1\n\xF0\x9F\x98\x80\n花子\nq\n");
  EXPECT_EQ(retried.status, 0) << retried.err;
  EXPECT_NE(retried.err.find("CP932"), npos) << retried.err;
  EXPECT_NE(retried.out.find("Hello 花子\n"), npos) << retried.out;
  EXPECT_EQ(SlotLine("var.Q01", 4), "花子");
}

}  // namespace
}  // namespace qvn::testing
