#include "platform/info_options.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace qvn {
namespace {

const ProgramInfo kReader{"QVN3", "usage: QVN3 [STORY]\n", "qvn3.html"};
const ProgramInfo kNoManual{"qvn", "usage: qvn\n", nullptr};

TEST(InfoOptionsTest, HelpAndVersionAreAnsweredOnStdout) {
  for (const char* help : {"--help", "-h"}) {
    auto answer = AnswerInfoOption(help, kReader);
    ASSERT_TRUE(answer) << help;
    EXPECT_EQ(answer->status, 0);
    EXPECT_EQ(answer->out, "usage: QVN3 [STORY]\n");
    EXPECT_EQ(answer->err, "");
  }
  auto version = AnswerInfoOption("--version", kReader);
  ASSERT_TRUE(version);
  EXPECT_EQ(version->status, 0);
  EXPECT_EQ(version->out, std::string("QVN3 (QVN for Linux) ") + ProgramVersion() +
                              "\nCopyright (c) 2026 The QVN for Linux developers\nMIT License\n");
  EXPECT_STRNE(ProgramVersion(), "0");
}

TEST(InfoOptionsTest, StoriesAndOtherArgumentsAreLeftToTheProgram) {
  for (const char* argument : {"demo.qvn", "", "-help", "--helpme", "--Version", "-platform"})
    EXPECT_FALSE(AnswerInfoOption(argument, kReader)) << argument;
  // Only a program with a manual knows --manual-path.
  EXPECT_FALSE(AnswerInfoOption("--manual-path", kNoManual));
}

TEST(InfoOptionsTest, ManualPathIsTheManualTheHelpShows) {
  auto answer = AnswerInfoOption("--manual-path", kReader);
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->status, 0);
  ASSERT_FALSE(answer->out.empty());
  std::string path = answer->out.substr(0, answer->out.size() - 1);
  EXPECT_EQ(answer->out.back(), '\n');
  EXPECT_EQ(std::filesystem::path(path).filename(), "qvn3.html");
  EXPECT_TRUE(std::filesystem::is_regular_file(path));

  // The language is chosen as the window will choose it: here by the locale.
  const char* lang = std::getenv("LANG");
  std::string kept = lang ? lang : "";
  ::setenv("LANG", "en_US.UTF-8", 1);
  auto english = AnswerInfoOption("--manual-path", kReader);
  ::setenv("LANG", kept.c_str(), 1);
  ASSERT_TRUE(english);
  EXPECT_EQ(english->status, 0);
  EXPECT_EQ(english->out, path.substr(0, path.size() - 9) + "en/qvn3.html\n");

  ProgramInfo missing{"QVN3", "", "no-such-manual.html"};
  auto none = AnswerInfoOption("--manual-path", missing);
  ASSERT_TRUE(none);
  EXPECT_EQ(none->status, 1);
  EXPECT_EQ(none->out, "");
  EXPECT_EQ(none->err, "QVN3: マニュアル no-such-manual.html がインストールされていません\n");
}

}  // namespace
}  // namespace qvn
