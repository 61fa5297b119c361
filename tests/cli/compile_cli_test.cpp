// `qvn compile` end to end: exit codes, colours, encodings, usage.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/encoding.h"
#include "tests/compiler/compile_case.h"
#include "tests/support/run_command.h"

namespace qvn::testing {
namespace {

std::vector<std::string> Args(std::initializer_list<std::string> args) {
  std::vector<std::string> argv = {QvnBinary(), "compile"};
  argv.insert(argv.end(), args);
  return argv;
}

TEST(QvnCompile, SuccessPrintsTheLogInUtf8WithoutColourWhenPiped) {
  TempFolder folder;
  WriteBytes(folder / "s.src", Utf8ToCp932("TITLE=物語\r\n#A\r\nx\r\n?END\r\nA\r\n"));
  auto result = RunCommand(Args({(folder / "s.src").string()}));
  EXPECT_EQ(result.status, 0);
  std::string base = (folder / "s").string();
  EXPECT_EQ(result.out, base + ".qvn, " + base +
                            ".qvj の作成中...\n"
                            "タイトル名 : 物語\n行数 : 5\nブロック数 : 1\n"
                            "パスワードは設定されていません.\n"
                            "ジャンプ先をチェックしています...\n"
                            "ユーザーファイルの作成中...\n正常に終了しました。\n");
  EXPECT_EQ(result.err, "");
}

TEST(QvnCompile, ColoursAndCp932OnRequest) {
  TempFolder folder;
  WriteBytes(folder / "s.src", "#A\r\nx\r\n?END\r\nZ\r\n");
  auto skip = RunCommand(Args(
      {"--jump-check=off", "--color=always", "--encoding=cp932", (folder / "s.src").string()}));
  EXPECT_EQ(skip.status, 0);
  EXPECT_NE(
      skip.out.find("\x1b[34m" + Sjis(u8"警告 : ジャンプ先チェックは省略しました.") + "\x1b[0m\n"),
      std::string::npos);

  auto error = RunCommand(Args({"--color=always", (folder / "s.src").string()}));
  EXPECT_EQ(error.status, 1);
  EXPECT_NE(error.out.find("\x1b[31m*** 第4行でエラーが発生しました。\x1b[0m\n"),
            std::string::npos);
  EXPECT_EQ(error.out.find("\x1b[31m*** ブロック"), error.out.find("\x1b[31m*** ブロック : A"));
}

TEST(QvnCompile, OptionsReachTheCompile) {
  TempFolder folder;
  WriteBytes(folder / "s.src", "#A\r\nx\r\n?001\r\nc\r\nB\r\n#B\r\ny\r\n/\r\n");
  auto result = RunCommand(Args({"--block-names=on", "--simple-warnings=off", "--password=pw",
                                 "--key=$200", (folder / "s.src").string()}));
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.out.find("ブロック \"A\" をコンパイル中 ...\n"), std::string::npos);
  EXPECT_NE(result.out.find("警告 : \"?end\" が存在しません -- 第6行\n#B\n"), std::string::npos);
  EXPECT_NE(result.out.find("パスワードの設定中...\n"), std::string::npos);
}

TEST(QvnCompile, KeyNumbersFrom256To32000) {
  TempFolder folder;
  WriteBytes(folder / "s.src", "#A\r\nx\r\n/\r\n");
  for (const char* key : {"--key=256", "--key=32000"}) {
    auto accepted = RunCommand(Args({"--password=pw", key, (folder / "s.src").string()}));
    EXPECT_EQ(accepted.status, 0) << key << accepted.err;
    EXPECT_NE(accepted.out.find("パスワードの設定中...\n"), std::string::npos) << key;
  }
  for (const char* key : {"--key=255", "--key=32001"}) {
    auto refused = RunCommand(Args({"--password=pw", key, (folder / "s.src").string()}));
    EXPECT_EQ(refused.status, 64) << key;
    EXPECT_NE(refused.err.find("使い方: qvn compile"), std::string::npos) << key;
  }
}

TEST(QvnCompile, ControlBytesOfTheSourceNeverReachTheTerminal) {
  TempFolder folder;
  WriteBytes(folder / "s.src", "#A\r\n\x1b]0;evil\x07\r\n");
  auto result = RunCommand(Args({(folder / "s.src").string()}));
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out.find('\x1b'), std::string::npos);
  EXPECT_NE(result.out.find("?]0;evil?\n"), std::string::npos);
}

TEST(QvnCompile, FailuresAndUsage) {
  TempFolder folder;
  auto missing = RunCommand(Args({(folder / "none.src").string()}));
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("none.src: No such file or directory"), std::string::npos);

  WriteBytes(folder / "s.QV$", "#A\r\nx\r\n/\r\n");
  auto refused = RunCommand(Args({(folder / "s.QV$").string()}));
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.out, "このファイル名は使用できません : " + (folder / "s.QV$").string() + "\n");

  for (auto args :
       {Args({}), Args({"--key=100", "--password=x", "a.src"}), Args({"--password=x", "a.src"}),
        Args({"--color=red", "a.src"}), Args({"--jump-check=maybe", "a.src"}),
        Args({"a.src", "b.src"}), Args({"--source-encoding=latin1", "a.src"}),
        Args({"--diagnostics=msvc", "a.src"})}) {
    auto usage = RunCommand(args);
    EXPECT_EQ(usage.status, 64);
    EXPECT_NE(usage.err.find("使い方: qvn compile"), std::string::npos);
  }
  auto help = RunCommand(Args({"--help"}));
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--simple-warnings"), std::string::npos);
}

// A file name is the one text of a diagnostic line that the story's author
// chooses freely: its control bytes are escaped, so that it can neither
// drive the terminal nor forge a line an editor would read.
TEST(QvnCompile, ControlBytesOfFileNamesAreEscapedWhereverTheyArePrinted) {
  TempFolder folder;
  const std::string hostile = "\x1b]0;PWNED\a\x1b[2J\nfake.src:1:1: error: injected\x7f.src";
  const std::string escaped = "\\e]0;PWNED\\x07\\e[2J\\nfake.src:1:1: error: injected\\x7F.src";
  WriteBytes(folder / hostile, "#A\r\nx\r\n!001\r\n");
  auto compiled = RunCommand(Args({"--diagnostics=gcc", (folder / hostile).string()}));
  EXPECT_EQ(compiled.status, 1);
  EXPECT_EQ(compiled.err.find('\x1b'), std::string::npos);
  EXPECT_EQ(std::count(compiled.err.begin(), compiled.err.end(), '\n'), 1) << compiled.err;
  EXPECT_NE(compiled.err.find(escaped + ":3:1: error: "), std::string::npos) << compiled.err;

  auto unreadable = RunCommand(Args({(folder / ("none" + hostile)).string()}));
  EXPECT_EQ(unreadable.status, 2);
  EXPECT_NE(unreadable.err.find("none" + escaped + ": No such file"), std::string::npos);
  for (const char* command : {"explore", "graph", "play"}) {
    auto missing = RunCommand({QvnBinary(), command, (folder / ("none" + hostile)).string()});
    EXPECT_NE(missing.status, 0) << command;
    EXPECT_EQ(missing.err.find('\x1b'), std::string::npos) << command;
    EXPECT_EQ(missing.err.find('\a'), std::string::npos) << command;
    EXPECT_EQ(std::count(missing.err.begin(), missing.err.end(), '\n'), 1)
        << command << ": " << missing.err;
  }
}

std::string U8(std::u8string_view text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

// Each report kind once more on stderr as FILE:LINE:COLUMN, the log on stdout
// as it would be without the option.
TEST(QvnCompileDiagnostics, GccLinesForEveryReportKind) {
  struct Case {
    std::string source;  // UTF-8; written in CP932 when `sjis`
    bool sjis;
    std::vector<std::string> extra;
    std::string err;  // with "F" for the file
  } cases[] = {
      // An error at a line, inside a block.
      {"#A\r\nx\r\n!001\r\n",
       true,
       {},
       U8(u8"F:3:1: error: \"!\" の場所が異常です。 [ブロック : A]\n")},
      // An error in the header names no block.
      {"hello\r\n", true, {}, U8(u8"F:1:1: error: ここにはテキストを記述できません。\n")},
      // An empty source has no line; line 1 is where an editor can go.
      {"", true, {}, U8(u8"F:1:1: error: ブロックが１つもありません.\n")},
      // The end of the source: the last line read.
      {"#A\r\nx\r\n",
       true,
       {},
       U8(u8"F:2:1: error: 直前のブロックが終了していません。 [ブロック : A]\n")},
      // Warnings at a line, at the end of the source, and an unused block at
      // its head; then the missing target the jump check finds.
      {"#A\r\n" + std::string(231, 'x') + "\r\n?001\r\nc\r\nA\r\n#B\r\ny\r\n?001\r\nc\r\nA\r\n",
       true,
       {},
       U8(u8"F:2:1: warning: 文字数が230を超えています。 [ブロック : A]\n"
          u8"F:10:1: warning: \"?end\" が存在しません [ブロック : B]\n"
          u8"F:6:1: warning: ブロック B は使われていません. [ブロック : B]\n")},
      {"#A\r\nx\r\n?END\r\nZZ\r\n",
       true,
       {},
       U8(u8"F:4:1: error: 存在しないブロック名をジャンプ先に指定しています。 [ブロック : A]\n")},
      // A character Shift-JIS lacks: its column counts the bytes as written.
      {U8(u8"#開始\r\nあいう😀\r\n"),
       false,
       {},
       U8(u8"F:2:10: error: Shift-JISで表せない文字があります。 (U+1F600, 4文字目) [ブロック : "
          u8"開始]\n")},
      {"#A\r\n\x82\xA0\r\n",
       false,
       {"--source-encoding=utf-8"},
       U8(u8"F:2:1: error: UTF-8として読めないバイトがあります。 (0x82, 1文字目) [ブロック : "
          u8"A]\n")},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    std::string file = (folder / "s.src").string();
    WriteBytes(file, c.sjis ? Utf8ToCp932(c.source) : c.source);
    std::vector<std::string> plain_args = {QvnBinary(), "compile"};
    plain_args.insert(plain_args.end(), c.extra.begin(), c.extra.end());
    plain_args.push_back(file);
    std::vector<std::string> gcc_args = plain_args;
    gcc_args.insert(gcc_args.begin() + 2, "--diagnostics=gcc");
    auto plain = RunCommand(plain_args);
    auto gcc = RunCommand(gcc_args);
    std::string expected = c.err;
    for (std::size_t at = expected.find("F:"); at != std::string::npos;
         at = expected.find("F:", at + file.size()))
      expected.replace(at, 1, file);
    EXPECT_EQ(gcc.err, expected);
    EXPECT_EQ(gcc.out, plain.out);
    EXPECT_EQ(gcc.status, plain.status);
    EXPECT_EQ(plain.err, "");
  }
}

// Under an English locale the log and the diagnostics speak English; the
// diagnostics still point at the report's line and column.
TEST(QvnCompileDiagnostics, GccLinesInEnglish) {
  struct Case {
    std::string source;  // UTF-8; written in CP932 when `sjis`
    bool sjis;
    std::string err;  // with "F" for the file
    std::string logged;
  } cases[] = {
      {"#A\r\nx\r\n!001\r\n", true, "F:3:1: error: A \"!\" line cannot stand here. [Block: A]\n",
       "*** Error in line 3.\n*** Block: A\n!001\n*** A \"!\" line cannot stand here. (stage 2)\n"},
      {"#A\r\n" + std::string(231, 'x') + "\r\n?END\r\nA\r\n#B\r\ny\r\n/\r\n", true,
       "F:2:1: warning: The line is longer than 230 bytes. [Block: A]\n"
       "F:5:1: warning: Block B is never used. [Block: B]\n",
       "Warning: Block B is never used.\nCreating the user data files ...\n"
       "Finished successfully.\n"},
      {U8(u8"#開始\r\nあいう😀\r\n"), false,
       U8(u8"F:2:10: error: The line has a character that Shift-JIS cannot hold. (U+1F600, "
          u8"character 4) [Block: 開始]\n"),
       U8(u8"*** Error in line 2.\n*** Block: 開始\nあいう😀\n")},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    std::string file = (folder / "s.src").string();
    WriteBytes(file, c.sjis ? Utf8ToCp932(c.source) : c.source);
    auto gcc = RunCommand(
        {"/usr/bin/env", "LANG=en_US.UTF-8", QvnBinary(), "compile", "--diagnostics=gcc", file});
    std::string expected = c.err;
    for (std::size_t at = expected.find("F:"); at != std::string::npos;
         at = expected.find("F:", at + file.size()))
      expected.replace(at, 1, file);
    EXPECT_EQ(gcc.err, expected);
    EXPECT_NE(gcc.out.find(c.logged), std::string::npos) << gcc.out;
  }
}

TEST(QvnCompileDiagnostics, Utf8SourceLogsAsWrittenAndCompilesAsItsTwin) {
  TempFolder folder;
  std::string utf8 = U8(u8"TITLE=物語〜\r\n#開始\r\n夜の図書館。\r\n?END\r\n開始\r\n");
  WriteBytes(folder / "u.src", utf8);
  WriteBytes(folder / "s.src", Utf8ToCp932(utf8));
  auto from_utf8 = RunCommand(Args({(folder / "u.src").string()}));
  auto from_sjis = RunCommand(Args({(folder / "s.src").string()}));
  EXPECT_EQ(from_utf8.status, 0);
  EXPECT_NE(from_utf8.out.find(U8(u8"タイトル名 : 物語～\n")), std::string::npos);
  for (const char* ext : {".qvn", ".qvj", ".Q01"})
    EXPECT_EQ(ReadBytes(folder / (std::string("u") + ext)),
              ReadBytes(folder / (std::string("s") + ext)))
        << ext;
  // Asked to read it as Shift-JIS, it is read as it always was.
  auto as_bytes = RunCommand(Args({"--source-encoding=cp932", (folder / "u.src").string()}));
  EXPECT_EQ(as_bytes.status, 0);
  EXPECT_NE(ReadBytes(folder / "u.qvn"), ReadBytes(folder / "s.qvn"));
}

}  // namespace
}  // namespace qvn::testing
