// Story sources written in UTF-8: the same story as its Shift-JIS twin, byte
// for byte; characters Shift-JIS lacks are compile errors; where reports point.
#include <gtest/gtest.h>

#include <algorithm>

#include "bench/story_generator.h"
#include "common/encoding.h"
#include "tests/compiler/compile_case.h"

namespace qvn::testing {
namespace {

namespace fs = std::filesystem;

const char* const kOutputs[] = {".qvn", ".qvj", ".Q01", ".Q02", ".Q03", ".Q04"};

std::string U8(std::u8string_view text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

struct Compiled {
  CompileResult result;
  RecordingSink log;
  std::string log_text;  // with the folder taken out
};

Compiled CompileIn(const TempFolder& folder, BytesView source,
                   SourceEncoding encoding = SourceEncoding::kAuto,
                   const std::string& name = "story.src") {
  Compiled compiled;
  CompileOptions options;
  options.source_encoding = encoding;
  compiled.result = CompileSource(folder, source, options, compiled.log, name);
  std::string prefix = folder.path().string() + "/";
  for (const LoggedLine& line : compiled.log.lines) {
    std::string text = line.text;
    for (std::size_t at = text.find(prefix); at != std::string::npos; at = text.find(prefix))
      text.erase(at, prefix.size());
    compiled.log_text += (line.color == LogColor::kRed    ? "! "
                          : line.color == LogColor::kBlue ? "~ "
                                                          : "= ");
    compiled.log_text += text + "\n";
  }
  EXPECT_EQ(compiled.log.open_reports, 0);
  return compiled;
}

// Both twins compile alike: the same log and the same six files.
void ExpectTwins(const TempFolder& a, const TempFolder& b, const Compiled& ca, const Compiled& cb,
                 const std::string& base = "story") {
  EXPECT_EQ(ca.result.outcome, cb.result.outcome);
  EXPECT_EQ(ca.log_text, cb.log_text);
  for (const char* ext : kOutputs) {
    fs::path name = base + ext;
    ASSERT_EQ(fs::exists(a / name.string()), fs::exists(b / name.string())) << ext;
    if (fs::exists(a / name.string())) {
      EXPECT_TRUE(ReadBytes(a / name.string()) == ReadBytes(b / name.string())) << ext;
    }
  }
}

void CopyDemo(const TempFolder& folder) {
  for (const auto& entry : fs::directory_iterator(QVN_TEST_DATA_DIR "/../examples/demo"))
    fs::copy_file(entry.path(), folder / entry.path().filename().string());
}

TEST(Utf8Twins, TheDemoStoryInUtf8WithAndWithoutAMark) {
  TempFolder sjis, utf8, marked;
  CopyDemo(sjis);
  CopyDemo(utf8);
  CopyDemo(marked);
  Bytes demo = ReadBytes(sjis / "demo.src");
  std::string demo_utf8 = Cp932ToUtf8(demo);
  ASSERT_EQ(Utf8ToCp932(demo_utf8), demo);  // the twin says exactly the same
  WriteBytes(utf8 / "demo.src", demo_utf8);
  WriteBytes(marked / "demo.src", "\xEF\xBB\xBF" + demo_utf8);

  Compiled from_sjis = CompileIn(sjis, demo, SourceEncoding::kAuto, "demo.src");
  Compiled from_utf8 = CompileIn(utf8, demo_utf8, SourceEncoding::kAuto, "demo.src");
  Compiled from_marked =
      CompileIn(marked, "\xEF\xBB\xBF" + demo_utf8, SourceEncoding::kAuto, "demo.src");
  ASSERT_EQ(from_sjis.result.outcome, CompileOutcome::kSuccess) << from_sjis.log_text;
  ExpectTwins(sjis, utf8, from_sjis, from_utf8, "demo");
  ExpectTwins(sjis, marked, from_sjis, from_marked, "demo");
}

TEST(Utf8Twins, GeneratedStoriesConvertedBothWays) {
  // Shift-JIS first, as the benchmark writes it, then UTF-8 first, with the
  // JIS spellings of the wave dash and minus that Linux input methods type.
  std::string generated = bench::GenerateStorySource(40, 24, 7);
  std::string written_utf8 =
      U8(u8"TITLE=波〜線−と‖\r\n%1=名前,〜の人\r\n#開始\r\n〜%1〜\r\n①②③ｱｲｳ¢£¬\r\n"
         u8"?000\r\n選ぶ〜\r\n終わり\r\n?END\r\n#終わり\r\nおしまい\r\n/\r\n");
  struct Pair {
    Bytes sjis;
    std::string utf8;
  };
  std::vector<Pair> pairs = {{generated, Cp932ToUtf8(generated)},
                             {Utf8ToCp932(written_utf8), written_utf8}};
  for (const Pair& pair : pairs) {
    // Nothing was lost converting.
    ASSERT_EQ(std::count(pair.sjis.begin(), pair.sjis.end(), '?'),
              std::count(pair.utf8.begin(), pair.utf8.end(), '?'));
    TempFolder a, b;
    Compiled from_sjis = CompileIn(a, pair.sjis);
    Compiled from_utf8 = CompileIn(b, pair.utf8);
    EXPECT_EQ(from_sjis.result.outcome, CompileOutcome::kSuccess) << from_sjis.log_text;
    ExpectTwins(a, b, from_sjis, from_utf8);
  }
}

TEST(Utf8Twins, ByteLimitsCountTheConvertedBytes) {
  auto a = [](int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += U8(u8"あ");
    return s;
  };
  // 230 and 231 converted bytes (345 and 346 as written); 256 and more cut at
  // 255, splitting the last character; block names of 8 and 9 bytes; a
  // variable label and value cut at 16 bytes in the middle of a character.
  std::string source = U8(u8"%1=") + a(9) + "," + a(9) + "x\r\n#" + a(4) + "\r\n" + a(115) +
                       "\r\n" + a(115) + "x\r\n" + a(130) + "\r\n" + a(127) + "xyz\r\n?END\r\n" +
                       a(4) + "\r\n";
  TempFolder x, y;
  Compiled from_utf8 = CompileIn(x, source);
  Compiled from_sjis = CompileIn(y, Utf8ToCp932(source));
  ExpectTwins(x, y, from_sjis, from_utf8);
  ASSERT_EQ(from_utf8.result.outcome, CompileOutcome::kSuccess) << from_utf8.log_text;
  // The 231-byte line and the two long ones warn; the 230-byte line does not.
  std::vector<int> warned;
  for (const Diagnostic& where : from_utf8.log.reports) warned.push_back(where.line);
  EXPECT_EQ(warned, (std::vector<int>{4, 5, 6}));

  TempFolder z;
  Compiled nine = CompileIn(z, std::string("#").append(a(4)).append("x\r\nx\r\n/\r\n"));
  EXPECT_NE(nine.log_text.find(U8(u8"ブロック名は半角8文字以内です。")), std::string::npos);
}

TEST(Utf8Twins, PureAsciiReadsTheSameWhateverTheEncoding) {
  const Bytes source = "TITLE=t\r\n#A\r\nx\r\n?END\r\nA\r\n";
  TempFolder autod, sjis, utf8;
  Compiled c1 = CompileIn(autod, source);
  Compiled c2 = CompileIn(sjis, source, SourceEncoding::kCp932);
  Compiled c3 = CompileIn(utf8, source, SourceEncoding::kUtf8);
  ExpectTwins(autod, sjis, c1, c2);
  ExpectTwins(autod, utf8, c1, c3);
  // Shift-JIS text is no UTF-8: auto reads it as it always did.
  TempFolder s1, s2;
  Bytes japanese = Sjis(u8"#開始\r\n夜の図書館。\r\n?END\r\n開始\r\n");
  ExpectTwins(s1, s2, CompileIn(s1, japanese), CompileIn(s2, japanese, SourceEncoding::kCp932));
}

TEST(Utf8Twins, ChosenEncodingIsTakenAsChosen) {
  // Shift-JIS bytes read as UTF-8 are refused at their first byte.
  TempFolder a;
  Compiled refused = CompileIn(a, Sjis(u8"#A\r\nxあ\r\n"), SourceEncoding::kUtf8);
  EXPECT_EQ(refused.result.outcome, CompileOutcome::kCompileError);
  EXPECT_EQ(refused.log_text,
            U8(u8"= story.qvn, story.qvj の作成中...\n"
               u8"! *** 第2行でエラーが発生しました。\n"
               u8"! *** ブロック : A\n"
               u8"! x\uFFFD\uFFFD\n"
               u8"! *** UTF-8として読めないバイトがあります。 (0x82, 2文字目) (Stage : 0)\n"));
  // Past the 255 bytes that count the line is cut, even before a byte that
  // UTF-8 cannot read.
  TempFolder c;
  Compiled cut = CompileIn(c, "#A\r\n" + std::string(300, 'x') + "\xFF\r\n?END\r\nA\r\n",
                           SourceEncoding::kUtf8);
  EXPECT_EQ(cut.result.outcome, CompileOutcome::kSuccess) << cut.log_text;
  // A surrogate's three bytes are no UTF-8, not a character Shift-JIS lacks.
  TempFolder d;
  Compiled surrogate = CompileIn(d, "#A\r\nab\xED\xA0\x80\r\n?END\r\nA\r\n", SourceEncoding::kUtf8);
  EXPECT_NE(surrogate.log_text.find(U8(u8"UTF-8として読めないバイトがあります。 (0xED, 3文字目)")),
            std::string::npos)
      << surrogate.log_text;
  // UTF-8 bytes read as Shift-JIS are story bytes, as they always were.
  TempFolder b;
  std::string utf8 = U8(u8"#A\r\nあ\r\n?END\r\nA\r\n");
  Compiled as_bytes = CompileIn(b, utf8, SourceEncoding::kCp932);
  EXPECT_EQ(as_bytes.result.outcome, CompileOutcome::kSuccess);
  EXPECT_NE(ReadBytes(b / "story.qvn").find("\x03\xE3\x81\x82"), Bytes::npos);
}

// The report as the case files write logs: the line as written, red.
std::string ErrorLog(int line, const std::string& block, const std::string& written,
                     const std::string& what, int stage) {
  std::string log = U8(u8"= story.qvn, story.qvj の作成中...\n! *** 第") + std::to_string(line) +
                    U8(u8"行でエラーが発生しました。\n");
  if (!block.empty()) log += U8(u8"! *** ブロック : ") + block + "\n";
  return log + "! " + written + "\n! *** " + U8(u8"Shift-JISで表せない文字があります。 (") + what +
         U8(u8"文字目) (Stage : ") + std::to_string(stage) + ")\n";
}

TEST(Unmappable, CharacterAtStartMiddleAndEndOfALineAndInABlockName) {
  struct Case {
    std::string source;
    int line;
    std::string block;
    std::string written;
    std::string what;
    int stage;
    int column;  // bytes
  } cases[] = {
      {U8(u8"#A\r\n😀あ\r\n?END\r\nA\r\n"), 2, "A", U8(u8"😀あ"), "U+1F600, 1", 0, 1},
      {U8(u8"#A\r\nx\r\nabあいう😀え\r\n?END\r\nA\r\n"), 3, "A", U8(u8"abあいう😀え"), "U+1F600, 6",
       2, 12},
      {U8(u8"TITLE=Café\r\n#A\r\n"), 1, "", U8(u8"TITLE=Café"), "U+00E9, 10", 99, 10},
      {U8(u8"#A\r\nx\r\n/\r\n#B😀\r\n"), 4, "A", U8(u8"#B😀"), "U+1F600, 3", 39, 3},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    // Outputs of an earlier compile go, as after every error.
    for (const char* ext : kOutputs) WriteBytes(folder / (std::string("story") + ext), "old");
    Compiled compiled = CompileIn(folder, c.source);
    EXPECT_EQ(compiled.result.outcome, CompileOutcome::kCompileError);
    EXPECT_EQ(compiled.log_text, ErrorLog(c.line, c.block, c.written, c.what, c.stage));
    for (const char* ext : kOutputs)
      EXPECT_FALSE(fs::exists(folder / (std::string("story") + ext))) << ext;
    ASSERT_EQ(compiled.log.reports.size(), 1u);
    EXPECT_EQ(compiled.log.reports[0].line, c.line);
    EXPECT_EQ(compiled.log.reports[0].column, c.column);
  }
}

TEST(Unmappable, LineAfterNoWaitIsCheckedToo) {
  TempFolder folder;
  Compiled compiled = CompileIn(folder, U8(u8"#A\r\n@NOWAIT\r\n?END😀\r\nA\r\n"));
  EXPECT_EQ(compiled.log_text, ErrorLog(3, "A", U8(u8"?END😀"), "U+1F600, 5", 0));
}

TEST(Utf8Directives, FileNamesAreLookedForAsWrittenAndStoredInCp932) {
  TempFolder folder;
  // The wave dash as Linux input methods type it (U+301C); CP932 holds it
  // as 81 60, which reads back as U+FF5E, another name on disk.
  WriteBytes(folder / U8(u8"夜〜.bmp"), "x");
  WriteBytes(folder / U8(u8"音.wav"), "x");
  Compiled compiled = CompileIn(
      folder, U8(u8"#A\r\n>BMP=夜〜.bmp\r\n>WAV=%P%音.wav\r\n>BAK=無い.bmp\r\nx\r\n?END\r\nA\r\n"));
  ASSERT_EQ(compiled.result.outcome, CompileOutcome::kSuccess) << compiled.log_text;
  // Only the missing picture warns.
  ASSERT_EQ(compiled.log.reports.size(), 1u);
  EXPECT_EQ(compiled.log.reports[0].line, 4);
  EXPECT_EQ(compiled.log.reports[0].message, Sjis(u8"ファイルが見つかりません。"));
  Bytes body = ReadBytes(folder / "story.qvn");
  EXPECT_NE(body.find(Sjis(u8">BMP=%P%夜～.bmp")), Bytes::npos);
  EXPECT_NE(body.find(Sjis(u8">WAV=%P%音.wav")), Bytes::npos);
}

// The log names the story files as the file system has them (UTF-8, with
// what Shift-JIS lacks) and as they are written: lower case, or the spelling
// of an existing file that is replaced in place.
TEST(LogPaths, TheFilesWrittenAsTheFileSystemNamesThem) {
  TempFolder folder;
  fs::path story_folder = folder / U8(u8"café😀");
  fs::create_directories(story_folder);
  const std::string base = (story_folder / "demo").string();
  const Bytes source = "#A\r\nx\r\n?END\r\nA\r\n";
  RecordingSink log;
  WriteBytes(story_folder / "demo.src", source);
  ASSERT_EQ(Compile(base + ".src", {}, log).outcome, CompileOutcome::kSuccess);
  ASSERT_FALSE(log.lines.empty());
  EXPECT_EQ(log.lines[0].text, base + ".qvn, " + base + U8(u8".qvj の作成中..."));
  EXPECT_TRUE(fs::exists(base + ".qvn"));

  fs::rename(base + ".qvj", base + ".QVJ");
  RecordingSink again;
  ASSERT_EQ(Compile(base + ".src", {}, again).outcome, CompileOutcome::kSuccess);
  EXPECT_EQ(again.lines[0].text, base + ".qvn, " + base + U8(u8".QVJ の作成中..."));
  EXPECT_TRUE(fs::exists(base + ".QVJ"));
}

TEST(Diagnostics, EveryReportSaysWhereItPoints) {
  TempFolder folder;
  // Line 3 warns (seven choices would be too long to write; a long line
  // does), block C is never used (its head is line 9), the target on line 12
  // is missing.
  std::string long_line(231, 'x');
  Compiled compiled =
      CompileIn(folder, "#A\r\nx\r\n" + long_line +
                            "\r\n?END\r\nA\r\n#B\r\ny\r\n/\r\n#C\r\nz\r\n?END\r\nQ\r\n");
  ASSERT_EQ(compiled.log.reports.size(), 2u);
  const Diagnostic& warning = compiled.log.reports[0];
  EXPECT_FALSE(warning.error);
  EXPECT_EQ(warning.line, 3);
  EXPECT_EQ(warning.column, 1);
  EXPECT_EQ(warning.block, "A");
  EXPECT_EQ(warning.message, Sjis(u8"文字数が230を超えています。"));
  const Diagnostic& missing = compiled.log.reports[1];
  EXPECT_TRUE(missing.error);
  EXPECT_EQ(missing.line, 12);
  EXPECT_EQ(missing.block, "C");

  TempFolder unused;
  Compiled warned = CompileIn(unused, "#A\r\nx\r\n?END\r\nA\r\n\r\n#B\r\ny\r\n/\r\n");
  ASSERT_EQ(warned.log.reports.size(), 1u);
  EXPECT_FALSE(warned.log.reports[0].error);
  EXPECT_EQ(warned.log.reports[0].line, 6);
  EXPECT_EQ(warned.log.reports[0].block, "B");
  EXPECT_EQ(warned.log.reports[0].message, Sjis(u8"ブロック B は使われていません."));

  TempFolder empty;
  Compiled nothing = CompileIn(empty, "");
  ASSERT_EQ(nothing.log.reports.size(), 1u);
  EXPECT_EQ(nothing.log.reports[0].line, 0);
  EXPECT_FALSE(nothing.log.reports[0].has_block);
}

}  // namespace
}  // namespace qvn::testing
