// A program is started from the file that was checked, whatever its name
// holds by the time it starts.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/program_file.h"
#include "tests/support/temp_folder.h"

namespace qvn {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

void WriteScript(const fs::path& path, const fs::path& marker, const std::string& word) {
  WriteBytes(path, "#!/bin/sh\necho " + word + " \"$1\" > '" + marker.string() + "'\n");
  ::chmod(path.c_str(), 0755);
}

bool WaitFor(const fs::path& path) {
  for (int i = 0; i < 500 && !fs::exists(path); ++i) ::usleep(10000);
  ::usleep(20000);  // the echo's line is complete
  return fs::exists(path);
}

TEST(ProgramFile, TheFileCheckedIsTheFileStarted) {
  TempFolder folder;
  fs::create_directories(folder / "story");
  fs::create_directories(folder / "outside");
  const fs::path marker = folder / "marker";
  // A binary: a copy of the shell, told what to write.
  fs::copy_file("/bin/sh", folder / "story/in");
  ::chmod((folder / "story/in").c_str(), 0755);
  WriteScript(folder / "outside/out.sh", marker, "outside");
  std::optional<ProgramFile> program = ProgramFile::Open(folder / "story/in");
  ASSERT_TRUE(program);
  EXPECT_EQ(program->Path(), fs::canonical(folder / "story/in").string());

  // Swapped for a link out of the folder after the question was asked.
  fs::remove(folder / "story/in");
  fs::create_symlink("../outside/out.sh", folder / "story/in");
  ASSERT_TRUE(StartProgramFile(*program,
                               {program->Path(), "-c", "echo inside > '" + marker.string() + "'"}));
  ASSERT_TRUE(WaitFor(marker));
  EXPECT_EQ(ReadBytes(marker), "inside\n");
}

TEST(ProgramFile, AScriptStartsByItsPathOnlyWhileThatNamesTheFileChecked) {
  TempFolder folder;
  fs::create_directories(folder / "story");
  fs::create_directories(folder / "outside");
  const fs::path marker = folder / "marker";
  WriteScript(folder / "story/in.sh", marker, "inside");
  WriteScript(folder / "outside/out.sh", marker, "outside");
  std::optional<ProgramFile> program = ProgramFile::Open(folder / "story/in.sh");
  ASSERT_TRUE(program);
  fs::rename(folder / "story/in.sh", folder / "story/kept.sh");
  fs::create_symlink("../outside/out.sh", folder / "story/in.sh");
  EXPECT_FALSE(StartProgramFile(*program, {program->Path(), "arg"}));
  fs::remove(folder / "story/in.sh");
  fs::rename(folder / "story/kept.sh", folder / "story/in.sh");
  ASSERT_TRUE(StartProgramFile(*program, {program->Path(), "arg"}));
  ASSERT_TRUE(WaitFor(marker));
  EXPECT_EQ(ReadBytes(marker), "inside arg\n");
  EXPECT_FALSE(fs::exists(folder / "outside/marker"));
}

TEST(ProgramFile, LinksFoldersAndMissingFilesAreRefused) {
  TempFolder folder;
  WriteBytes(folder / "real", "");
  fs::create_symlink("real", folder / "link");
  fs::create_directories(folder / "dir");
  EXPECT_FALSE(ProgramFile::Open(folder / "link"));
  EXPECT_FALSE(ProgramFile::Open(folder / "dir"));
  EXPECT_FALSE(ProgramFile::Open(folder / "none"));
  EXPECT_TRUE(ProgramFile::Open(folder / "real"));
}

}  // namespace
}  // namespace qvn
