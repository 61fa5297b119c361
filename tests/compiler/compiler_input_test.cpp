// Sources and folders a compile may be handed: line ends, long lines, odd
// bytes, names that collide with the outputs, unreadable or unwritable places.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "common/encoding.h"
#include "tests/compiler/compile_case.h"

namespace qvn::testing {
namespace {

namespace fs = std::filesystem;

const char* kOutputs[] = {".qvn", ".qvj", ".Q01", ".Q02", ".Q03", ".Q04"};

bool HasLine(const RecordingSink& sink, const std::string& utf8) {
  for (const LoggedLine& line : sink.lines)
    if (line.text == utf8) return true;
  return false;
}

std::string LineCount(const RecordingSink& sink) {
  for (const LoggedLine& line : sink.lines)
    if (line.text.starts_with("行数 : ")) return line.text.substr(std::string("行数 : ").size());
  return "?";
}

TEST(LineEnds, CrLfLoneCrAndLoneLfAllEndALine) {
  for (const char* source :
       {"#A\r\nx\r\n?END\r\nA\r\n", "#A\rx\r?END\rA\r", "#A\nx\n?END\nA\n", "#A\nx\r?END\r\nA"}) {
    TempFolder folder;
    RecordingSink sink;
    EXPECT_EQ(CompileSource(folder, source, {}, sink).outcome, CompileOutcome::kSuccess);
    EXPECT_EQ(LineCount(sink), "4");
    EXPECT_EQ(ReadBytes(folder / "story.qvn").substr(0, 9),
              "\x01x\x04?END\x01"
              "A");
  }
}

TEST(LineEnds, ControlZEndsTheSource) {
  TempFolder folder;
  RecordingSink sink;
  EXPECT_EQ(CompileSource(folder, "#A\r\nx\r\n?END\r\nA\x1A\r\ngarbage#\r\n", {}, sink).outcome,
            CompileOutcome::kSuccess);
  EXPECT_EQ(LineCount(sink), "4");
}

TEST(LongLines, WarnAbove230AndCutAt255) {
  Bytes comment230 = ";" + Bytes(229, 'c');
  Bytes comment240 = ";" + Bytes(239, 'c');
  Bytes text300 = Bytes(300, 'x');
  TempFolder folder;
  RecordingSink sink;
  Bytes source = comment230 + "\r\n" + comment240 + "\r\n#A\r\n" + text300 + "\r\n?END\r\nA\r\n";
  ASSERT_EQ(CompileSource(folder, source, {}, sink).outcome, CompileOutcome::kSuccess);
  // Two warnings of three lines each: the 240-byte comment and the cut text.
  int warnings = 0;
  for (const LoggedLine& line : sink.lines)
    if (line.text.starts_with("警告 : 文字数が230を超えています。")) ++warnings;
  EXPECT_EQ(warnings, 2);
  EXPECT_TRUE(HasLine(sink, "警告 : 文字数が230を超えています。 -- 第2行"));
  EXPECT_TRUE(HasLine(sink, Bytes(255, 'x')));
  EXPECT_EQ(LineCount(sink), "6");
  Bytes body = ReadBytes(folder / "story.qvn");
  EXPECT_EQ(static_cast<unsigned char>(body[0]), 255);
  EXPECT_EQ(body.substr(1, 255), Bytes(255, 'x'));
}

TEST(LongLines, TwoHundredThirtyBytesAndNoMore) {
  TempFolder folder;
  RecordingSink sink;
  Bytes source = ";" + Bytes(229, 'c') + "\r\n;" + Bytes(230, 'c') + "\r\n#A\r\n" +
                 Bytes(230, 'x') + "\r\n" + Bytes(231, 'y') + "\r\n?END\r\nA\r\n";
  ASSERT_EQ(CompileSource(folder, source, {}, sink).outcome, CompileOutcome::kSuccess);
  std::vector<std::string> warnings;
  for (const LoggedLine& line : sink.lines)
    if (line.text.starts_with("警告 : ")) warnings.push_back(line.text);
  EXPECT_EQ(warnings, (std::vector<std::string>{"警告 : 文字数が230を超えています。 -- 第2行",
                                                "警告 : 文字数が230を超えています。 -- 第5行"}));
  EXPECT_TRUE(HasLine(sink, ";" + Bytes(230, 'c')));
  EXPECT_TRUE(HasLine(sink, Bytes(231, 'y')));
}

TEST(OddBytes, NulBytesAndControlBytesAreOrdinaryText) {
  TempFolder folder;
  RecordingSink sink;
  Bytes source("#A\r\na\0b\x1b[2J\r\n?END\r\nA\r\n", 22);
  ASSERT_EQ(CompileSource(folder, source, {}, sink).outcome, CompileOutcome::kSuccess);
  Bytes body = ReadBytes(folder / "story.qvn");
  EXPECT_EQ(body.substr(0, 8), Bytes("\x07"
                                     "a\0b\x1b[2J",
                                     8));
}

TEST(OddBytes, TrailBytesAreNotUpperCased) {
  // 0x82 0x61 is one double-byte character; its trail byte must stay 0x61.
  TempFolder folder;
  RecordingSink sink;
  Bytes source = "#A\r\n!001\r\nx\r\n?001\r\n\x82\x61\r\nA\r\n?END\r\n";
  ASSERT_EQ(CompileSource(folder, source, {}, sink).outcome, CompileOutcome::kSuccess);
  RecordingSink bad;
  TempFolder other;
  ASSERT_EQ(CompileSource(other, "#A\r\n!0\x82\x61\r\n", {}, bad).outcome,
            CompileOutcome::kCompileError);
  EXPECT_TRUE(HasLine(bad, Cp932ToUtf8("!0\x82\x61")));
}

TEST(OutputNames, SourceWhoseExtensionCollidesIsRefusedUntouched) {
  for (const char* name : {"story.QVN", "story.qvj", "story.q01", "story.Qv$", "story.Q04"}) {
    TempFolder folder;
    RecordingSink sink;
    Bytes source = "#A\r\nx\r\n?END\r\nA\r\n";
    auto result = CompileSource(folder, source, {}, sink, name);
    EXPECT_EQ(result.outcome, CompileOutcome::kRefusedName) << name;
    ASSERT_EQ(sink.lines.size(), 1u);
    EXPECT_EQ(sink.lines[0].text, "このファイル名は使用できません : " + (folder / name).string());
    EXPECT_EQ(sink.lines[0].color, LogColor::kRed);
    EXPECT_EQ(ReadBytes(folder / name), source);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
  }
}

TEST(OutputNames, BaseIsCutAtTheFileNamesFirstDot) {
  TempFolder folder;
  fs::create_directories(folder / "my.stories");
  RecordingSink sink;
  auto result = CompileSource(folder, "#A\r\nx\r\n/\r\n", {}, sink, "my.stories/tale.old.src");
  ASSERT_EQ(result.outcome, CompileOutcome::kSuccess);
  for (const char* ext : kOutputs)
    EXPECT_TRUE(fs::exists(folder / ("my.stories/tale" + std::string(ext)))) << ext;
  EXPECT_TRUE(HasLine(sink, "自動設定タイトル : tale"));
}

TEST(OutputNames, ExistingOutputsInOtherLetterCaseAreRewrittenInPlace) {
  TempFolder folder;
  WriteBytes(folder / "story.QVN", "old");
  WriteBytes(folder / "STORY.q01", "old");
  RecordingSink sink;
  ASSERT_EQ(CompileSource(folder, "#A\r\nx\r\n/\r\n", {}, sink).outcome, CompileOutcome::kSuccess);
  EXPECT_FALSE(fs::exists(folder / "story.qvn"));
  EXPECT_FALSE(fs::exists(folder / "story.Q01"));
  EXPECT_EQ(ReadBytes(folder / "story.QVN").substr(0, 2), "\x01x");
  EXPECT_TRUE(ReadBytes(folder / "STORY.q01").starts_with("story\r\nQVNSTART\r\n"));
}

TEST(OutputNames, CompileErrorRemovesEarlierOutputsWhateverTheirCase) {
  TempFolder folder;
  RecordingSink first;
  ASSERT_EQ(CompileSource(folder, "#A\r\nx\r\n/\r\n", {}, first).outcome, CompileOutcome::kSuccess);
  fs::rename(folder / "story.Q02", folder / "Story.q02");
  RecordingSink second;
  ASSERT_EQ(CompileSource(folder, "#A\r\nx\r\n", {}, second).outcome,
            CompileOutcome::kCompileError);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(Failures, UnreadableSourceAndFolderGiveTheSystemsReason) {
  TempFolder folder;
  RecordingSink sink;
  auto missing = Compile((folder / "none.src").string(), {}, sink);
  EXPECT_EQ(missing.outcome, CompileOutcome::kSourceUnreadable);
  EXPECT_EQ(missing.reason, "No such file or directory");
  fs::create_directories(folder / "dir.src");
  auto directory = Compile((folder / "dir.src").string(), {}, sink);
  EXPECT_EQ(directory.outcome, CompileOutcome::kSourceUnreadable);
  EXPECT_EQ(directory.reason, "Is a directory");
  EXPECT_TRUE(sink.lines.empty());
}

TEST(Failures, OutputThatCannotBeCreatedIsAWriteFailure) {
  // A folder in the place of the story body cannot be opened for writing,
  // even by root (for whom a read-only folder is no obstacle).
  TempFolder folder;
  WriteBytes(folder / "story.src", "#A\r\nx\r\n/\r\n");
  fs::create_directories(folder / "story.qvn");
  RecordingSink sink;
  auto result = Compile((folder / "story.src").string(), {}, sink);
  EXPECT_EQ(result.outcome, CompileOutcome::kWriteFailure);
  ASSERT_EQ(sink.lines.size(), 2u);
  EXPECT_EQ(sink.lines[1].color, LogColor::kRed);
  EXPECT_EQ(sink.lines[1].text,
            "書き込みに失敗しました.他のソフトでQVNファイルを開いている場合は閉じて下さい.");
}

TEST(Failures, UserDataFileThatCannotBeWrittenIsReported) {
  TempFolder folder;
  fs::create_directories(folder / "story.Q03");
  fs::create_directories(folder / "story.Q03" / "keep");
  RecordingSink sink;
  auto result = CompileSource(folder, "#A\r\nx\r\n/\r\n", {}, sink);
  EXPECT_EQ(result.outcome, CompileOutcome::kUserDataFailure);
  EXPECT_NE(result.reason.find("story.Q03"), std::string::npos);
  EXPECT_EQ(sink.lines.back().text, "ユーザーファイルの作成中...");
}

// A shipped source may come with links or odd files in the outputs' places:
// the compile writes only into its own folder and never waits on a FIFO.
TEST(Failures, OutputsNeverReachOutOfTheirFolder) {
  TempFolder folder;
  fs::create_directories(folder / "outside");
  fs::create_directories(folder / "story");
  WriteBytes(folder / "outside" / "victim.txt", "precious");
  const fs::path story_folder = folder / "story";
  WriteBytes(story_folder / "story.src", "#A\r\nx\r\n/\r\n");
  for (const char* output : {"story.qvn", "story.Q02"}) {
    SCOPED_TRACE(output);
    fs::remove(story_folder / "story.qvn");
    fs::remove(story_folder / "story.Q02");
    fs::create_symlink("../outside/victim.txt", story_folder / output);
    RecordingSink sink;
    auto result = Compile((story_folder / "story.src").string(), {}, sink);
    EXPECT_NE(result.outcome, CompileOutcome::kSuccess);
    EXPECT_EQ(ReadBytes(folder / "outside" / "victim.txt"), "precious");
  }
  fs::remove(story_folder / "story.Q02");
  fs::remove(story_folder / "story.qvj");

  ASSERT_EQ(::mkfifo((story_folder / "story.qvj").c_str(), 0644), 0);
  RecordingSink sink;
  EXPECT_EQ(Compile((story_folder / "story.src").string(), {}, sink).outcome,
            CompileOutcome::kWriteFailure);
  fs::remove(story_folder / "story.qvj");

  // A link to a file in the same folder is written through, as saves are.
  WriteBytes(story_folder / "shared.qvn", "old");
  fs::remove(story_folder / "story.qvn");
  fs::create_symlink("shared.qvn", story_folder / "story.qvn");
  EXPECT_EQ(Compile((story_folder / "story.src").string(), {}, sink).outcome,
            CompileOutcome::kSuccess);
  EXPECT_TRUE(fs::is_symlink(story_folder / "story.qvn"));
  EXPECT_EQ(ReadBytes(story_folder / "shared.qvn").substr(0, 2), "\x01x");  // the text record "x"
}

// Backups made with hard links share the outputs' files: a compile replaces
// its outputs and never writes into the old files.
TEST(Failures, HardLinksOfOldOutputsKeepTheirBytes) {
  TempFolder folder;
  fs::create_directories(folder / "backup");
  for (const char* extension : kOutputs) {
    WriteBytes(folder / ("story" + std::string(extension)), "old");
    fs::create_hard_link(folder / ("story" + std::string(extension)),
                         folder / "backup" / ("story" + std::string(extension)));
  }
  RecordingSink sink;
  ASSERT_EQ(CompileSource(folder, "#A\r\nx\r\n/\r\n", {}, sink).outcome, CompileOutcome::kSuccess);
  EXPECT_EQ(ReadBytes(folder / "story.qvn").substr(0, 2), "\x01x");
  ASSERT_EQ(CompileSource(folder, "#A\r\nx\r\n", {}, sink).outcome, CompileOutcome::kCompileError);
  for (const char* extension : kOutputs)
    EXPECT_EQ(ReadBytes(folder / "backup" / ("story" + std::string(extension))), "old")
        << extension;
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(folder.path()))
    left.push_back(entry.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"backup", "story.src"})) << "no temporary file left";
}

// A compile killed at any moment leaves the previous story whole or the new
// one: never an empty or half-written body or index.
TEST(Failures, AKilledCompileNeverBreaksThePreviousStory) {
  Bytes source;
  for (int i = 1; i <= 2000; ++i) source += "#B" + std::to_string(i) + "\r\nx\r\n?END\r\nB1\r\n";
  TempFolder folder;
  RecordingSink sink;
  ASSERT_EQ(CompileSource(folder, source, {}, sink).outcome, CompileOutcome::kSuccess);
  const Bytes body = ReadBytes(folder / "story.qvn");
  const Bytes index = ReadBytes(folder / "story.qvj");
  const std::string source_path = (folder / "story.src").string();
  int broken = 0;
  for (int trial = 0; trial < 40; ++trial) {
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      RecordingSink quiet;
      Compile(source_path, {}, quiet);
      ::_exit(0);
    }
    ::usleep(static_cast<useconds_t>(trial * 997 % 40000));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    if (ReadBytes(folder / "story.qvn") != body || ReadBytes(folder / "story.qvj") != index)
      ++broken;
  }
  EXPECT_EQ(broken, 0);
}

TEST(Limits, EightThousandBlocksAndNoMore) {
  Bytes source;
  for (int i = 1; i <= 8000; ++i) source += "#B" + std::to_string(i) + "\r\nx\r\n?END\r\nB1\r\n";
  {
    TempFolder folder;
    RecordingSink sink;
    CompileOptions options;
    options.password_enabled = true;
    options.key = 256;
    ASSERT_EQ(CompileSource(folder, source, options, sink).outcome, CompileOutcome::kSuccess);
    EXPECT_EQ(ReadBytes(folder / "story.qvj").size(), 8003u * 13);
    int unused = 0;
    for (const LoggedLine& line : sink.lines)
      if (line.text.ends_with(" は使われていません.")) ++unused;
    EXPECT_EQ(unused, 7999);
  }
  TempFolder folder;
  RecordingSink sink;
  source += "#C\r\n";
  ASSERT_EQ(CompileSource(folder, source, {}, sink).outcome, CompileOutcome::kCompileError);
  EXPECT_EQ(sink.lines.back().text, "*** ブロックが多すぎます。(>8000) (Stage : 41)");
}

TEST(Pumping, WindowMayRepaintAfterEachBlockAndBeforeTheCheck) {
  TempFolder folder;
  RecordingSink sink;
  ASSERT_EQ(CompileSource(folder, "#A\r\nx\r\n?END\r\nB\r\n#B\r\ny\r\n/\r\n", {}, sink).outcome,
            CompileOutcome::kSuccess);
  EXPECT_EQ(sink.pumps, 3);
}

}  // namespace
}  // namespace qvn::testing
