// The compile log in English: run under LANG=en_US.UTF-8 with the catalogue
// a program installs at start (locale_catalogue.cpp). A few logs written out
// in full, one of each kind of line; the Japanese log is what the cases check.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "common/encoding.h"
#include "common/message_catalogue.h"
#include "compiler/messages.h"
#include "tests/compiler/compile_case.h"

namespace qvn::testing {
namespace {

std::string U8(std::u8string_view text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

// The log as the case files write it ("= ", "! ", "~ " and the line), with
// the folder left out of the paths.
std::string LogText(const RecordingSink& sink, const TempFolder& folder) {
  const std::string prefix = folder.path().string() + "/";
  std::string out;
  for (const LoggedLine& line : sink.lines) {
    std::string text = line.text;
    for (std::size_t at = text.find(prefix); at != std::string::npos; at = text.find(prefix, at))
      text.erase(at, prefix.size());
    out += line.color == LogColor::kRed ? "! " : line.color == LogColor::kBlue ? "~ " : "= ";
    out += text + "\n";
  }
  return out;
}

struct Row {
  const char* name;
  std::string source;  // UTF-8; written as CP932 unless `utf8`
  bool utf8 = false;
  bool block_names = false;
  CompileOutcome outcome = CompileOutcome::kSuccess;
  std::string log;
};

TEST(EnglishLog, EachKindOfLineReadsAsEnglish) {
  const std::string long_line(231, 'y');
  const Row rows[] = {
      {"a successful compile, block names shown",
       "TITLE=The Night Library\r\nVERSION=1.20\r\n#START\r\nHello.\r\n?END\r\nSTART\r\n", false,
       true, CompileOutcome::kSuccess,
       "= Creating story.qvn and story.qvj ...\n"
       "= Title: The Night Library\n"
       "= Version: 1.20\n"
       "= Compiling block \"START\" ...\n"
       "= Lines: 6\n"
       "= Blocks: 1\n"
       "= No password is set.\n"
       "= Checking the jump targets ...\n"
       "= Creating the user data files ...\n"
       "= Finished successfully.\n"},
      {"an error in a block", "#START\r\nHello.\r\n!001\r\n", false, false,
       CompileOutcome::kCompileError,
       "= Creating story.qvn and story.qvj ...\n"
       "! *** Error in line 3.\n"
       "! *** Block: START\n"
       "! !001\n"
       "! *** A \"!\" line cannot stand here. (stage 2)\n"},
      {"a warning at a line and a block never used; no title",
       "#A\r\n" + long_line + "\r\n?END\r\nA\r\n#B\r\nz\r\n/\r\n", false, false,
       CompileOutcome::kSuccess,
       "= Creating story.qvn and story.qvj ...\n"
       "~ Warning in line 2: The line is longer than 230 bytes.\n"
       "~ Block: A\n"
       "~ " +
           long_line +
           "\n"
           "= Lines: 7\n"
           "= Blocks: 2\n"
           "= Title (from the file name): story\n"
           "= No password is set.\n"
           "= Checking the jump targets ...\n"
           "~ Warning: Block B is never used.\n"
           "= Creating the user data files ...\n"
           "= Finished successfully.\n"},
      {"a UTF-8 line with a character Shift-JIS lacks", U8(u8"TITLE=t\r\n#開始\r\nあいう😀\r\n"),
       true, false, CompileOutcome::kCompileError,
       U8(u8"= Creating story.qvn and story.qvj ...\n"
          u8"= Title: t\n"
          u8"! *** Error in line 3.\n"
          u8"! *** Block: 開始\n"
          u8"! あいう😀\n"
          u8"! *** The line has a character that Shift-JIS cannot hold. (U+1F600, character 4) "
          u8"(stage 0)\n")},
      {"names that look like placeholders stay as they are",
       "TITLE=t\r\n#A%2\r\nx\r\n?END\r\nA%2\r\n#B%1\r\ny\r\n/\r\n", false, true,
       CompileOutcome::kSuccess,
       "= Creating story.qvn and story.qvj ...\n"
       "= Title: t\n"
       "= Compiling block \"A%2\" ...\n"
       "= Compiling block \"B%1\" ...\n"
       "= Lines: 8\n"
       "= Blocks: 2\n"
       "= No password is set.\n"
       "= Checking the jump targets ...\n"
       "~ Warning: Block B%1 is never used.\n"
       "= Creating the user data files ...\n"
       "= Finished successfully.\n"},
      {"an empty source", "", false, false, CompileOutcome::kCompileError,
       "= Creating story.qvn and story.qvj ...\n"
       "= Lines: 0\n"
       "! *** Error in line 0.\n"
       "! \n"
       "! *** The source has no block. (stage 99)\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TempFolder folder;
    RecordingSink sink;
    CompileOptions options;
    options.block_names = row.block_names;
    CompileResult result =
        CompileSource(folder, row.utf8 ? row.source : Utf8ToCp932(row.source), options, sink);
    EXPECT_EQ(result.outcome, row.outcome);
    EXPECT_EQ(LogText(sink, folder), row.log);
  }
}

TEST(EnglishLog, TheReportsCarryTheEnglishMessage) {
  TempFolder folder;
  RecordingSink sink;
  CompileSource(folder, "#A\r\nx\r\n?END\r\nA\r\n#B\r\ny\r\n/\r\n", {}, sink);
  ASSERT_EQ(sink.reports.size(), 1u);
  EXPECT_EQ(sink.reports[0].message, "Block B is never used.");
  EXPECT_EQ(sink.reports[0].line, 5);
}

// Every message has its English text, in plain ASCII (the log is CP932 and
// read by authors whose tools may show nothing else), and a pattern keeps
// the numbers it is given.
TEST(EnglishLog, EveryMessageIsTranslatedIntoAscii) {
  const CompilerMessages& m = Messages();
  std::vector<Bytes CompilerMessages::*> seen;
  for (const CompilerMessageSource& source : CompilerMessageSources()) {
    SCOPED_TRACE(source.japanese);
    EXPECT_EQ(std::find(seen.begin(), seen.end(), source.field), seen.end()) << "listed twice";
    seen.push_back(source.field);
    const Bytes& english = m.*source.field;
    EXPECT_NE(english, Utf8ToCp932(source.japanese)) << "not translated";
    EXPECT_FALSE(english.empty());
    EXPECT_TRUE(std::all_of(english.begin(), english.end(), [](char ch) {
      return ch >= 0x20 && ch < 0x7F;
    })) << english;
    for (const char* number : {"%1", "%2"})
      EXPECT_EQ(std::string_view(source.japanese).find(number) != std::string_view::npos,
                english.find(number) != Bytes::npos)
          << number;
  }
  // Every field of the messages is listed.
  EXPECT_EQ(seen.size(), sizeof(CompilerMessages) / sizeof(Bytes));
}

}  // namespace
}  // namespace qvn::testing
