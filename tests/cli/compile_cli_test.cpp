// `qvn compile` end to end: exit codes, colours, encodings, usage.
#include <gtest/gtest.h>

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
  EXPECT_EQ(result.out, base + ".QVN, " + base +
                            ".QVJ の作成中...\n"
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
    EXPECT_NE(refused.err.find("usage: qvn compile"), std::string::npos) << key;
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

  for (auto args : {Args({}), Args({"--key=100", "--password=x", "a.src"}),
                    Args({"--password=x", "a.src"}), Args({"--color=red", "a.src"}),
                    Args({"--jump-check=maybe", "a.src"}), Args({"a.src", "b.src"})}) {
    auto usage = RunCommand(args);
    EXPECT_EQ(usage.status, 64);
    EXPECT_NE(usage.err.find("usage: qvn compile"), std::string::npos);
  }
  auto help = RunCommand(Args({"--help"}));
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--simple-warnings"), std::string::npos);
}

}  // namespace
}  // namespace qvn::testing
