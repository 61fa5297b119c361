// The bytes a compile writes: story body, block index, user data files.
#include <gtest/gtest.h>

#include "common/encoding.h"
#include "format/index_record.h"
#include "format/user_data_file.h"
#include "tests/compiler/compile_case.h"

namespace qvn::testing {
namespace {

namespace fs = std::filesystem;

std::string Hex(BytesView bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (unsigned char b : bytes) {
    if (!out.empty()) out += ' ';
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}

Bytes Record(BytesView text) {
  return Bytes(1, static_cast<char>(text.size())) + Bytes(text);
}

Bytes UndefinedVariables() {
  Bytes out;
  for (int i = 0; i < 18; ++i) out += Record("????");
  return out;
}

TEST(CompiledFiles, WorkedExampleByteForByte) {
  TempFolder folder;
  RecordingSink sink;
  auto result = CompileSource(folder, "TITLE=t\r\n#A\r\nx\r\n?END\r\nA\r\n", {}, sink);
  ASSERT_EQ(result.outcome, CompileOutcome::kSuccess);

  Bytes body = ReadBytes(folder / "story.qvn");
  EXPECT_EQ(Hex(body.substr(0, 9)), "01 78 04 3F 45 4E 44 01 41");
  EXPECT_EQ(body.substr(9, 90), UndefinedVariables());
  EXPECT_EQ(Hex(body.substr(99)), "01 74");
  EXPECT_EQ(body.size(), 101u);

  EXPECT_EQ(Hex(ReadBytes(folder / "story.qvj")),
            "01 41 00 00 00 00 00 00 00 00 00 00 00 "
            "06 51 56 4E 56 45 52 00 00 10 27 00 00 "
            "08 51 56 4E 41 4C 54 45 52 09 00 00 00");

  Bytes expected_user_data = "t\r\nQVNSTART\r\n";
  for (int i = 0; i < 18; ++i) expected_user_data += "????\r\n";
  for (int i = 0; i < 27; ++i) expected_user_data += Bytes(37, '0') + "\r\n";
  expected_user_data += Bytes(26, 'A') + "\r\n0\r\n16\r\n16\r\n\r\n";
  for (const char* slot : {"story.Q01", "story.Q02", "story.Q03", "story.Q04"})
    EXPECT_EQ(ReadBytes(folder / slot), expected_user_data) << slot;
}

TEST(CompiledFiles, RecordsAsWrittenForEachLineKind) {
  TempFolder folder;
  RecordingSink sink;
  Bytes source = Utf8ToCp932(
      "%3=名前,\r\n"
      "#ABCDEFGH\r\n"
      "!not001\r\n"
      "?a<b\r\n"
      "!c+\r\n"
      "\r\n"
      ">BMP=pic.bmp\r\n"
      "%3だ\r\n"
      "?not002\r\n"
      "cap\r\n"
      "?a:z,ABCDEFGH\r\n"
      "ABCDEFGH\r\n"
      "#N\r\n"
      "@NOWAIT\r\n"
      "?end\r\n"
      "ABCDEFGH\r\n");
  ASSERT_EQ(CompileSource(folder, source, {}, sink).outcome, CompileOutcome::kSuccess);
  Bytes body = ReadBytes(folder / "story.qvn");
  Bytes expected = Record("!NOT001") + Record("?A<B") + Record("!C+") + Record(" ") +
                   Record(">BMP=%P%pic.bmp") + Record(Utf8ToCp932("%3だ")) + Record("?NOT002") +
                   Record("cap") + Record("?A:Z,ABCDEFGH") + Record("ABCDEFGH") + Record("?END");
  std::size_t second_block = expected.size();
  expected += Record("@NOWAIT") + Record("?END") + Record("ABCDEFGH");
  ASSERT_GE(body.size(), expected.size());
  EXPECT_EQ(Hex(body.substr(0, expected.size())), Hex(expected));

  // The third variable has an empty default: the sixth trailer record is empty.
  std::size_t trailer = expected.size();
  Bytes variables;
  for (int n = 1; n <= 9; ++n) {
    variables +=
        n == 3 ? Record(Utf8ToCp932("名前")) + Record("") : Record("????") + Record("????");
  }
  EXPECT_EQ(body.substr(trailer, variables.size()), variables);

  Bytes index = ReadBytes(folder / "story.qvj");
  ASSERT_EQ(index.size(), 4 * kIndexRecordSize);
  IndexRecord first = DecodeIndexRecord(index.data());
  EXPECT_EQ(first.Name(), "ABCDEFGH");
  EXPECT_EQ(first.value, 0);
  EXPECT_EQ(DecodeIndexRecord(index.data() + 13).value, static_cast<int>(second_block));
  IndexRecord alter = DecodeIndexRecord(index.data() + 39);
  EXPECT_EQ(alter.Name(), "QVNALTER");
  EXPECT_EQ(alter.value, static_cast<int>(trailer));
}

TEST(CompiledFiles, TheTitleHolds248Bytes) {
  TempFolder folder;
  RecordingSink sink;
  Bytes title = Bytes(247, 't') + "ue";  // 249 bytes: the "e" does not fit
  ASSERT_EQ(CompileSource(folder, "TITLE=" + title + "\r\n#A\r\nx\r\n/\r\n", {}, sink).outcome,
            CompileOutcome::kSuccess);
  Bytes kept = Bytes(247, 't') + "u";
  ASSERT_GE(sink.lines.size(), 2u);
  EXPECT_EQ(sink.lines[1].text, "タイトル名 : " + kept);
  Bytes body = ReadBytes(folder / "story.qvn");
  EXPECT_EQ(body.substr(body.size() - 249), Record(kept)) << "the last record of the trailer";
  EXPECT_TRUE(ReadBytes(folder / "story.Q01").starts_with(kept + "\r\nQVNSTART\r\n"));
}

TEST(CompiledFiles, VersionCodes) {
  struct {
    const char* line;
    int code;
  } cases[] = {{"VERSION=1.00", 20100}, {"VERSION=1.5", 105},   {"VERSION=1.05", 20105},
               {"VERSION=1.50", 150},   {"VERSION= 2.1", 201},  {"VERSION=0.0", 0},
               {"VERSION=99.99", 9999}, {"VERSION=3.010", 310}, {"VERSION=1.005", 105}};
  for (const auto& c : cases) {
    TempFolder folder;
    RecordingSink sink;
    Bytes source = Bytes(c.line) + "\r\n#A\r\nx\r\n/\r\n";
    ASSERT_EQ(CompileSource(folder, source, {}, sink).outcome, CompileOutcome::kSuccess) << c.line;
    Bytes index = ReadBytes(folder / "story.qvj");
    EXPECT_EQ(DecodeIndexRecord(index.data() + 13).value, c.code) << c.line;
  }
}

TEST(CompiledFiles, PasswordRecordIsScrambledAndRepeatable) {
  CompileOptions options;
  options.password_enabled = true;
  options.password = "abc";
  options.key = 300;
  TempFolder folder;
  RecordingSink sink;
  Bytes source = "#A\r\nx\r\n/\r\n";
  ASSERT_EQ(CompileSource(folder, source, options, sink).outcome, CompileOutcome::kSuccess);
  Bytes body = ReadBytes(folder / "story.qvn");
  Bytes index = ReadBytes(folder / "story.qvj");
  ASSERT_EQ(index.size(), 4 * kIndexRecordSize);
  IndexRecord pass = DecodeIndexRecord(index.data() + 39);
  EXPECT_EQ(pass.Name(), "QVNPASS");
  // (300+1) mod 97 + 1 = 11, (300+2) mod 98 + 1 = 9, (300+3) mod 99 + 1 = 7.
  EXPECT_EQ(Hex(body.substr(static_cast<std::size_t>(pass.value))), "03 0B 09 07");

  RecordingSink again;
  ASSERT_EQ(CompileSource(folder, source, options, again).outcome, CompileOutcome::kSuccess);
  EXPECT_EQ(ReadBytes(folder / "story.qvn"), body);
  EXPECT_EQ(ReadBytes(folder / "story.qvj"), index);

  // An empty password still gives its record, of length 0.
  options.password.clear();
  RecordingSink empty;
  ASSERT_EQ(CompileSource(folder, source, options, empty).outcome, CompileOutcome::kSuccess);
  Bytes empty_body = ReadBytes(folder / "story.qvn");
  EXPECT_EQ(empty_body.back(), '\0');
}

}  // namespace
}  // namespace qvn::testing

namespace qvn::testing {
namespace {

TEST(Examples, DemoStoryCompilesWithOnlyItsSevenChoiceWarning) {
  TempFolder folder;
  // With its pictures and sounds, which the compile looks for.
  for (const auto& entry : fs::directory_iterator(QVN_TEST_DATA_DIR "/../examples/demo"))
    fs::copy_file(entry.path(), folder / entry.path().filename().string());
  RecordingSink sink;
  auto result = Compile((folder / "demo.src").string(), {}, sink);
  EXPECT_EQ(result.outcome, CompileOutcome::kSuccess);
  std::vector<std::string> blue;
  for (const LoggedLine& line : sink.lines) {
    EXPECT_NE(line.color, LogColor::kRed) << line.text;
    if (line.color == LogColor::kBlue) blue.push_back(line.text);
  }
  ASSERT_EQ(blue.size(), 3u);
  EXPECT_TRUE(blue[0].starts_with("警告 : 選択肢が７つ以上あります。")) << blue[0];
}

}  // namespace
}  // namespace qvn::testing
