// Atomic rewrites and links, and the temporary files that killed writes
// leave behind.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/file_io.h"
#include "tests/support/temp_folder.h"

namespace qvn {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(SameFolderLinks, ALinkOutOfItsFolderIsNotWrittenThrough) {
  TempFolder folder;
  fs::create_directories(folder / "story");
  WriteBytes(folder / "victim.txt", "precious\n");
  fs::create_symlink("../victim.txt", folder / "story/demo.Q01");
  FileResult result =
      WriteFileAtomic(folder / "story/demo.Q01", "slot", LinkPolicy::kSameFolderOnly);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.reason,
            "フォルダーの外のファイルを指すシンボリックリンクを通しては書き込みません");
  EXPECT_EQ(ReadBytes(folder / "victim.txt"), "precious\n");
  EXPECT_TRUE(fs::is_symlink(folder / "story/demo.Q01"));
  EXPECT_EQ(Names(folder / "story"), std::vector<std::string>{"demo.Q01"}) << "no temporary file";

  // Absolute targets, a link into a subfolder, a chain that leaves the
  // folder on its second step and a dangling link outside: all refused.
  fs::create_directories(folder / "story/sub");
  WriteBytes(folder / "story/sub/inner", "inner");
  fs::create_symlink(folder / "victim.txt", folder / "story/demo.Q02");
  fs::create_symlink("sub/inner", folder / "story/demo.Q03");
  fs::create_symlink("demo.Q01", folder / "story/demo.Q04");
  fs::create_symlink("../none.txt", folder / "story/demo.QV$");
  // A link to itself is refused at once, never followed for ever; a chain
  // g.Q01 -> sub/a -> b reads b in sub/ (each link from its own folder), so
  // it leaves the folder and the story's own b is not its target.
  fs::create_symlink("self.Q01", folder / "story/self.Q01");
  fs::create_symlink("sub/a", folder / "story/g.Q01");
  fs::create_symlink("b", folder / "story/sub/a");
  WriteBytes(folder / "story/sub/b", "inner b");
  WriteBytes(folder / "story/b", "story b");
  for (const char* name : {"demo.Q02", "demo.Q03", "demo.Q04", "demo.QV$", "self.Q01", "g.Q01"})
    EXPECT_FALSE(WriteFileAtomic(folder / "story" / name, "slot", LinkPolicy::kSameFolderOnly).ok)
        << name;
  EXPECT_EQ(ReadBytes(folder / "victim.txt"), "precious\n");
  EXPECT_EQ(ReadBytes(folder / "story/sub/inner"), "inner");
  EXPECT_EQ(ReadBytes(folder / "story/sub/b"), "inner b");
  EXPECT_EQ(ReadBytes(folder / "story/b"), "story b");
  EXPECT_FALSE(fs::exists(folder / "none.txt"));
}

TEST(SameFolderLinks, ALinkWithinItsFolderIsWrittenThrough) {
  TempFolder folder;
  WriteBytes(folder / "real.Q01", "old");
  fs::create_symlink("real.Q01", folder / "demo.Q01");
  fs::create_symlink("demo.Q01", folder / "chain.Q01");
  fs::create_symlink(folder / "real.Q01", folder / "absolute.Q01");
  ASSERT_TRUE(WriteFileAtomic(folder / "demo.Q01", "one", LinkPolicy::kSameFolderOnly).ok);
  EXPECT_EQ(ReadBytes(folder / "real.Q01"), "one");
  EXPECT_TRUE(fs::is_symlink(folder / "demo.Q01"));
  ASSERT_TRUE(WriteFileAtomic(folder / "chain.Q01", "two", LinkPolicy::kSameFolderOnly).ok);
  ASSERT_TRUE(WriteFileAtomic(folder / "absolute.Q01", "three", LinkPolicy::kSameFolderOnly).ok);
  EXPECT_EQ(ReadBytes(folder / "real.Q01"), "three");

  // Settings files keep following links wherever they lead (a dotfiles
  // folder, for one).
  fs::create_directories(folder / "config");
  fs::create_symlink("../real.Q01", folder / "config/qvn.ini");
  ASSERT_TRUE(WriteFileAtomic(folder / "config/qvn.ini", "[WINDOW]").ok);
  EXPECT_EQ(ReadBytes(folder / "real.Q01"), "[WINDOW]");
}

TEST(StaleTemporaryFiles, OnlyTheFilesOwnPatternIsRemoved) {
  TempFolder folder;
  WriteBytes(folder / "demo.Q01", "slot");
  const std::vector<std::string> kept = {
      ".demo.Q01.abc12",    // five characters
      ".demo.Q01.abc1234",  // seven
      ".demo.Q01.ab-123",   // not a letter or digit
      ".demo.Q02.abc123",   // another slot's
      "demo.Q01.abc123",    // no leading dot
      ".demo.Q01abc123",    // no dot before the suffix
  };
  for (const std::string& name : kept) WriteBytes(folder / name, "x");
  fs::create_directories(folder / ".demo.Q01.folder");
  WriteBytes(folder / "elsewhere", "target");
  fs::create_symlink("elsewhere", folder / ".demo.Q01.linkzz");
  WriteBytes(folder / ".demo.Q01.Zz09aB", "stale");
  WriteBytes(folder / ".demo.Q01.locked", "a write in progress");
  int held = ::open((folder / ".demo.Q01.locked").c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);

  EXPECT_EQ(RemoveStaleTemporaryFiles(folder / "demo.Q01"), 1);
  ::close(held);
  EXPECT_FALSE(fs::exists(folder / ".demo.Q01.Zz09aB"));
  for (const std::string& name : kept) EXPECT_TRUE(fs::exists(folder / name)) << name;
  EXPECT_TRUE(fs::is_directory(folder / ".demo.Q01.folder"));
  EXPECT_TRUE(fs::is_symlink(folder / ".demo.Q01.linkzz"));
  EXPECT_EQ(ReadBytes(folder / "elsewhere"), "target");
  EXPECT_TRUE(fs::exists(folder / ".demo.Q01.locked"));

  // The next write of the file removes what is no longer held.
  ASSERT_TRUE(WriteFileAtomic(folder / "demo.Q01", "new").ok);
  EXPECT_FALSE(fs::exists(folder / ".demo.Q01.locked"));
  EXPECT_EQ(ReadBytes(folder / "demo.Q01"), "new");
}

}  // namespace
}  // namespace qvn

namespace qvn {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

mode_t ModeOf(const fs::path& path) {
  struct stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info.st_mode & 07777;
}

struct UmaskScope {
  explicit UmaskScope(mode_t mask) : old(::umask(mask)) {}
  ~UmaskScope() { ::umask(old); }
  mode_t old;
};

TEST(AtomicWriteModes, NewFilesHonourTheUmaskAndReplacedFilesKeepTheirMode) {
  TempFolder folder;
  {
    UmaskScope mask(077);
    ASSERT_TRUE(WriteFileAtomic(folder / "private.Q01", "slot").ok);
    EXPECT_EQ(ModeOf(folder / "private.Q01"), 0600u);
  }
  {
    UmaskScope mask(022);
    ASSERT_TRUE(WriteFileAtomic(folder / "shared.Q01", "slot").ok);
    EXPECT_EQ(ModeOf(folder / "shared.Q01"), 0644u);
    // A replaced file keeps its own mode, whatever the umask says.
    ::chmod((folder / "private.Q01").c_str(), 0640);
    ASSERT_TRUE(WriteFileAtomic(folder / "private.Q01", "again").ok);
    EXPECT_EQ(ModeOf(folder / "private.Q01"), 0640u);
  }
}

TEST(AtomicWriteModes, HardLinksOfTheOldFileKeepTheirBytes) {
  TempFolder folder;
  WriteBytes(folder / "demo.qvn", "old story");
  fs::create_directories(folder / "backup");
  fs::create_hard_link(folder / "demo.qvn", folder / "backup/demo.qvn");
  AtomicFile file;
  ASSERT_TRUE(file.Create(folder / "demo.qvn").ok);
  ASSERT_TRUE(file.Write("new story"));
  EXPECT_EQ(ReadBytes(folder / "demo.qvn"), "old story") << "not replaced before Commit";
  ASSERT_TRUE(file.Commit().ok);
  EXPECT_EQ(ReadBytes(folder / "demo.qvn"), "new story");
  EXPECT_EQ(ReadBytes(folder / "backup/demo.qvn"), "old story");
}

TEST(AtomicWriteModes, AnAbandonedFileLeavesTheOldOneAndNoTemporary) {
  TempFolder folder;
  WriteBytes(folder / "demo.qvj", "old index");
  {
    AtomicFile file;
    ASSERT_TRUE(file.Create(folder / "demo.qvj").ok);
    ASSERT_TRUE(file.Write("half"));
  }
  EXPECT_EQ(ReadBytes(folder / "demo.qvj"), "old index");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(StaleTemporaryFiles, AreNeverLookedForThroughALink) {
  TempFolder folder;
  fs::create_directories(folder / "story");
  fs::create_directories(folder / "victim");
  WriteBytes(folder / "victim/notes", "notes");
  WriteBytes(folder / "victim/.notes.backup", "backup");
  WriteBytes(folder / "victim/.notes.Xy12Zq", "looks like ours");
  fs::create_symlink("../victim/notes", folder / "story/s.Q02");
  EXPECT_EQ(RemoveStaleTemporaryFiles(folder / "story/s.Q02"), 0);
  EXPECT_TRUE(fs::exists(folder / "victim/.notes.backup"));
  EXPECT_TRUE(fs::exists(folder / "victim/.notes.Xy12Zq"));
  // The slot's own pattern in its own folder still goes.
  WriteBytes(folder / "story/.s.Q02.Ab12Cd", "stale");
  EXPECT_EQ(RemoveStaleTemporaryFiles(folder / "story/s.Q02"), 1);
}

TEST(OwnFolderReads, ALinkLeavingItsFolderIsNeverRead) {
  TempFolder folder;
  fs::create_directories(folder / "story/sub");
  fs::create_directories(folder / "home");
  WriteBytes(folder / "home/netrc", "secret");
  WriteBytes(folder / "story/real.Q01", "slot");
  WriteBytes(folder / "story/sub/inner", "inner");
  fs::create_symlink("../home/netrc", folder / "story/s.Q01");
  fs::create_symlink(folder / "home/netrc", folder / "story/s.Q02");
  fs::create_symlink("sub/inner", folder / "story/s.Q03");
  fs::create_symlink("real.Q01", folder / "story/s.Q04");
  fs::create_symlink("s.Q01", folder / "story/s.QV$");
  Bytes out;
  for (const char* name : {"s.Q01", "s.Q02", "s.Q03", "s.QV$"}) {
    FileResult read = ReadOwnFile(folder / "story" / name, out, kMaxUserDataFileBytes);
    EXPECT_FALSE(read.ok) << name;
    EXPECT_TRUE(out.empty()) << name;
  }
  ASSERT_TRUE(ReadOwnFile(folder / "story/s.Q04", out, kMaxUserDataFileBytes).ok);
  EXPECT_EQ(out, "slot");
  ASSERT_TRUE(ReadOwnFile(folder / "story/real.Q01", out, kMaxUserDataFileBytes).ok);
  EXPECT_EQ(out, "slot");
}

}  // namespace
}  // namespace qvn
