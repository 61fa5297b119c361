#include "workbench/editor_command.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/file_io.h"
#include "platform/process_start.h"

namespace qvn {
namespace {

namespace fs = std::filesystem;
using Words = std::vector<std::string>;

TEST(EditorCommandTest, TheSourcePathIsOneArgument) {
  EXPECT_EQ(EditorCommand("xdg-open", "/s/My Stories/a.src"),
            (Words{"xdg-open", "/s/My Stories/a.src"}));
  EXPECT_EQ(EditorCommand("gedit --new-window", "/s/a.src"),
            (Words{"gedit", "--new-window", "/s/a.src"}));
}

TEST(EditorCommandTest, AnEditorWhosePathHoldsSpacesStartsWithTheSource) {
  fs::path folder = fs::path(testing::TempDir()) / "editor command test";
  fs::remove_all(folder);
  fs::create_directories(folder);
  std::string editor = (folder / "my editor").string();
  ASSERT_TRUE(WriteFileDirect(
                  editor, "#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > \"$(dirname \"$0\")/got\"\n")
                  .ok);
  ::chmod(editor.c_str(), 0755);
  ASSERT_TRUE(StartProgramArguments(EditorCommand(editor, "/s/My Stories/a.src")));
  // The editor runs on its own; wait for its note (a generous bound, no timing is asserted).
  Bytes got;
  for (int i = 0; i < 500 && got.empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ReadWholeFile(folder / "got", got);
  }
  EXPECT_EQ(got, "1|/s/My Stories/a.src");
}

}  // namespace
}  // namespace qvn

namespace qvn {
namespace {

using Words = std::vector<std::string>;

TEST(EditorCommandAtLineTest, TheCommonEditorsAreToldTheLine) {
  EXPECT_EQ(EditorCommandAtLine("vim", "/s/a b.src", 12), (Words{"vim", "+12", "/s/a b.src"}));
  EXPECT_EQ(EditorCommandAtLine("/usr/bin/nano", "/s/a.src", 1),
            (Words{"/usr/bin/nano", "+1", "/s/a.src"}));
  EXPECT_EQ(EditorCommandAtLine("emacs -nw", "/s/a.src", 7),
            (Words{"emacs", "-nw", "+7", "/s/a.src"}));
  EXPECT_EQ(EditorCommandAtLine("gedit --new-window", "/s/a.src", 300),
            (Words{"gedit", "--new-window", "+300", "/s/a.src"}));
  EXPECT_EQ(EditorCommandAtLine("kate", "/s/a.src", 4), (Words{"kate", "--line", "4", "/s/a.src"}));
  // Others only open the file, as does a line that is no line.
  EXPECT_EQ(EditorCommandAtLine("xdg-open", "/s/a.src", 4), (Words{"xdg-open", "/s/a.src"}));
  EXPECT_EQ(EditorCommandAtLine("mousepad", "/s/a.src", 4), (Words{"mousepad", "/s/a.src"}));
  EXPECT_EQ(EditorCommandAtLine("vim", "/s/a.src", 0), (Words{"vim", "/s/a.src"}));
  // A program merely named like one is not taken for it.
  EXPECT_EQ(EditorCommandAtLine("vimdiff-ish", "/s/a.src", 4), (Words{"vimdiff-ish", "/s/a.src"}));
}

}  // namespace
}  // namespace qvn
