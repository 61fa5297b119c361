#pragma once
// A folder for `qvn play` tests: stories compiled by `qvn compile`, plays
// with a data folder of their own, and the lines of the slot files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/encoding.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_folder.h"

namespace qvn::testing {

class PlayTest : public ::testing::Test {
 protected:
  // Writes `source_utf8` (lines joined by CR LF) as <name>.src and compiles it.
  void CompileStory(const std::string& name, const std::vector<std::string>& lines) {
    std::string source;
    for (const std::string& line : lines) source += line + "\r\n";
    WriteBytes(folder / (name + ".src"), Utf8ToCp932(source));
    CommandResult compiled =
        RunCommand({QvnBinary(), "compile", (folder / (name + ".src")).string()});
    ASSERT_EQ(compiled.status, 0) << compiled.out;
  }

  std::string Story(const std::string& name) const { return (folder / (name + ".qvn")).string(); }

  // `qvn play` with its own data folder; a play that does not end within a
  // generous bound is stopped (status 124) rather than hanging the suite.
  CommandResult Play(std::vector<std::string> args, const std::string& input = {}) {
    std::vector<std::string> argv = {"/usr/bin/timeout", "60", QvnBinary(), "play",
                                     "--data-dir=" + (folder / "data").string()};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunCommand(argv, input);
  }

  // Line `number` (1-based) of a user data file, without its CR LF.
  std::string SlotLine(const std::string& file, int number) {
    Bytes text = ReadBytes(folder / file);
    std::size_t start = 0;
    for (int i = 1; i < number; ++i) start = text.find("\r\n", start) + 2;
    return Cp932ToUtf8(text.substr(start, text.find("\r\n", start) - start));
  }

  TempFolder folder;
};

}  // namespace qvn::testing
