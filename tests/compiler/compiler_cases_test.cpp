// Runs every story source under cases/: each case holds, in comment lines
// that the runner takes out before compiling, the whole log it must produce
// (";=" default colour, ";!" red, ";~" blue) and its settings (";@").
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "common/encoding.h"
#include "tests/compiler/compile_case.h"

namespace qvn::testing {
namespace {

namespace fs = std::filesystem;

struct Case {
  std::string source;  // UTF-8, expectation lines removed, CR LF line ends
  std::vector<LoggedLine> expected;
  CompileOptions options;
  std::vector<std::string> files;  // created empty beside the source
  std::string outcome = "success";
};

void ApplySetting(Case& c, const std::string& setting) {
  std::istringstream words(setting);
  std::string word;
  while (words >> word) {
    if (word == "block-names")
      c.options.block_names = true;
    else if (word == "simple-warnings=off")
      c.options.simple_warnings = false;
    else if (word == "jump-check=off")
      c.options.jump_check = false;
    else if (word.starts_with("password=")) {
      c.options.password_enabled = true;
      c.options.password = Utf8ToCp932(word.substr(9));
    } else if (word.starts_with("key="))
      c.options.key = static_cast<std::int16_t>(std::stoi(word.substr(4)));
    else if (word.starts_with("file="))
      c.files.push_back(word.substr(5));
    else if (word.starts_with("outcome="))
      c.outcome = word.substr(8);
    else
      ADD_FAILURE() << "unknown setting " << word;
  }
}

Case ReadCase(const fs::path& path) {
  Case c;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    if (line.starts_with(";=") || line.starts_with(";!") || line.starts_with(";~")) {
      LogColor color = line[1] == '='   ? LogColor::kDefault
                       : line[1] == '!' ? LogColor::kRed
                                        : LogColor::kBlue;
      c.expected.push_back({line.size() > 3 ? line.substr(3) : std::string(), color});
    } else if (line.starts_with(";@")) {
      ApplySetting(c, line.substr(2));
    } else {
      c.source += line + "\r\n";
    }
  }
  return c;
}

std::string Show(const std::vector<LoggedLine>& lines) {
  std::string out;
  for (const LoggedLine& l : lines) {
    out += l.color == LogColor::kRed ? "! " : l.color == LogColor::kBlue ? "~ " : "= ";
    out += l.text + "\n";
  }
  return out;
}

std::vector<fs::path> CaseFiles() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(QVN_TEST_DATA_DIR "/compiler/cases"))
    if (entry.path().extension() == ".src") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

class CompilerCase : public ::testing::TestWithParam<fs::path> {};

TEST_P(CompilerCase, LogsExactlyWhatTheCaseSays) {
  Case c = ReadCase(GetParam());
  TempFolder folder;
  for (const std::string& file : c.files) WriteBytes(folder / file, "x");
  RecordingSink sink;
  CompileResult result = CompileSource(folder, Utf8ToCp932(c.source), c.options, sink);

  std::string base = (folder / "story").string();
  for (LoggedLine& line : c.expected) {
    for (std::size_t at = line.text.find("{base}"); at != std::string::npos;
         at = line.text.find("{base}"))
      line.text.replace(at, 6, base);
  }
  EXPECT_EQ(Show(sink.lines), Show(c.expected));

  bool success = result.outcome == CompileOutcome::kSuccess;
  EXPECT_EQ(success ? "success" : "error", c.outcome);
  for (const char* ext : {".qvn", ".qvj", ".Q01", ".Q02", ".Q03", ".Q04"})
    EXPECT_EQ(fs::exists(folder / ("story" + std::string(ext))), success) << ext;
}

// The same case written in UTF-8 (as the case file itself is) must log the
// same lines and write the same bytes as its Shift-JIS twin.
TEST_P(CompilerCase, Utf8TwinLogsAndWritesTheSame) {
  Case c = ReadCase(GetParam());
  TempFolder sjis_folder;
  TempFolder utf8_folder;
  for (const std::string& file : c.files) {
    WriteBytes(sjis_folder / file, "x");
    WriteBytes(utf8_folder / file, "x");
  }
  RecordingSink sjis_log;
  CompileResult sjis = CompileSource(sjis_folder, Utf8ToCp932(c.source), c.options, sjis_log);
  CompileOptions utf8_options = c.options;
  utf8_options.source_encoding = SourceEncoding::kUtf8;
  RecordingSink utf8_log;
  CompileResult utf8 = CompileSource(utf8_folder, c.source, utf8_options, utf8_log);

  EXPECT_EQ(utf8.outcome, sjis.outcome);
  std::string shown_sjis = Show(sjis_log.lines);
  std::string shown_utf8 = Show(utf8_log.lines);
  std::string sjis_base = (sjis_folder / "story").string();
  std::string utf8_base = (utf8_folder / "story").string();
  for (std::size_t at = shown_utf8.find(utf8_base); at != std::string::npos;
       at = shown_utf8.find(utf8_base))
    shown_utf8.replace(at, utf8_base.size(), sjis_base);
  EXPECT_EQ(shown_utf8, shown_sjis);
  for (const char* ext : {".qvn", ".qvj", ".Q01", ".Q02", ".Q03", ".Q04"}) {
    fs::path name = "story" + std::string(ext);
    EXPECT_EQ(fs::exists(utf8_folder / name), fs::exists(sjis_folder / name)) << ext;
    if (fs::exists(sjis_folder / name)) {
      EXPECT_EQ(ReadBytes(utf8_folder / name), ReadBytes(sjis_folder / name)) << ext;
    }
  }
}

std::string CaseName(const ::testing::TestParamInfo<fs::path>& info) {
  std::string name =
      fs::relative(info.param, QVN_TEST_DATA_DIR "/compiler/cases").replace_extension().string();
  for (char& ch : name)
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, CompilerCase, ::testing::ValuesIn(CaseFiles()), CaseName);

}  // namespace
}  // namespace qvn::testing
