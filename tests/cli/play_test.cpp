// `qvn play` end to end, on stories compiled by `qvn compile`.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "common/encoding.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_folder.h"

namespace qvn::testing {
namespace {

constexpr const char* kSource =
    "TITLE=夜道\r\n"
    "VERSION=1.5\r\n"
    "%1=主人公,勝\r\n"
    "#START\r\n"
    "!A+\r\n"
    "%1は歩いていた。\r\n"
    ">BGM=walk.mid\r\n"
    "?000\r\n"
    "右へ\r\n"
    "RIGHT\r\n"
    "?000\r\n"
    "左へ\r\n"
    "LEFT\r\n"
    "?END\r\n"
    "#RIGHT\r\n"
    "!001\r\n"
    "右の道。\r\n"
    "?END\r\n"
    "START\r\n"
    "#LEFT\r\n"
    "!500\r\n"
    "!501\r\n"
    "おわり\r\n"
    "/\r\n";

class QvnPlay : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteBytes(folder / "night.src", Utf8ToCp932(kSource));
    CommandResult compiled = RunCommand({QvnBinary(), "compile", (folder / "night.src").string()});
    ASSERT_EQ(compiled.status, 0) << compiled.out;
    fresh_slot = ReadBytes(folder / "night.Q01");
  }

  CommandResult Play(std::vector<std::string> args, const std::string& input = {}) {
    std::vector<std::string> argv = {QvnBinary(), "play",
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
  Bytes fresh_slot;
};

TEST_F(QvnPlay, ScriptedPlaySavesIntoTheChosenSlot) {
  CommandResult result =
      Play({"--slot=2", "--var=1=健", "--choose=a,", (folder / "night.qvn").string()});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_NE(result.out.find("健は歩いていた。\n \n A: 右へ\n B: 左へ\n[A] [B]\n"),
            std::string::npos)
      << result.out;
  EXPECT_NE(result.out.find("右の道。\n[Next]\n"), std::string::npos);
  EXPECT_NE(result.out.find("== 夜道 (QVN3) =="), std::string::npos);

  std::string expected = "夜道\r\nSTART\r\n主人公\r\n健\r\n";
  for (int n = 2; n <= 9; ++n) expected += "????\r\n????\r\n";
  expected += "1" + std::string(36, '0') + "\r\n";
  for (int line = 22; line <= 47; ++line) expected += std::string(37, '0') + "\r\n";
  expected += "C" + std::string(25, 'A') + "\r\n1\r\n16\r\n16\r\n\r\n";
  EXPECT_EQ(ReadBytes(folder / "night.Q02"), Utf8ToCp932(expected));
  EXPECT_EQ(ReadBytes(folder / "night.Q01"), fresh_slot) << "other slots untouched";
}

TEST_F(QvnPlay, EndOfStoryResetsTheSlotForANewStart) {
  CommandResult result = Play({"--choose=2", (folder / "night.qvn").string()});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("おわり\n[開く]\n"), std::string::npos) << result.out;
  EXPECT_EQ(SlotLine("night.Q01", 2), "START");
  // Flag 500 (line 34, column 19) is cleared, flag 501 (column 20) survives.
  EXPECT_EQ(SlotLine("night.Q01", 34), std::string(19, '0') + "1" + std::string(17, '0'));
  EXPECT_EQ(SlotLine("night.Q01", 21), std::string(37, '0'));
  EXPECT_EQ(SlotLine("night.Q01", 48), std::string(26, 'A'));
  EXPECT_EQ(SlotLine("night.Q01", 49), "0");

  CommandResult again = Play({"--choose=", (folder / "night.qvn").string()});
  EXPECT_EQ(again.status, 0);
  EXPECT_NE(again.out.find("勝は歩いていた。"), std::string::npos) << "plays from the start";
}

TEST_F(QvnPlay, InteractiveKeysAndCommands) {
  // Slot 1; Enter keeps the preset name; Enter with two choices is ignored;
  // "x" is not a key; a; temporary save; Next; open the temporary save; quit.
  CommandResult result = Play({(folder / "night.qvn").string()}, "1\n\n\nx\na\ns\n\nt\nq\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("1: 夜道 - 未使用ファイルです。"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("主人公を入力して下さい [勝]: "), std::string::npos);
  EXPECT_NE(result.out.find("(キー: "), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(folder / "night.QV$"));
  std::size_t first = result.out.find("右の道。");
  ASSERT_NE(first, std::string::npos) << result.out;
  EXPECT_NE(result.out.find("右の道。", first + 1), std::string::npos)
      << "the temporary save shows the page again";
  EXPECT_EQ(SlotLine("night.Q01", 2), "RIGHT");
  EXPECT_EQ(SlotLine("night.Q01", 48), "B" + std::string(25, 'A'))
      << "the prologue of the saved block was not applied again";
  // In English the slots' states and the new-game question are English; the
  // story's own words stay as they are.
  CommandResult english = RunCommand(
      {"/usr/bin/env", "LANG=en_US.UTF-8", QvnBinary(), "play", (folder / "night.qvn").string()},
      "2\n\nq\n");
  EXPECT_NE(english.out.find("2: 夜道 - This slot is unused."), std::string::npos) << english.out;
  EXPECT_NE(english.out.find("Enter 主人公 [勝]: "), std::string::npos) << english.out;
}

TEST_F(QvnPlay, StoryTextNeverDrivesTheTerminal) {
  WriteBytes(folder / "esc.src", "#A\r\n\x1b[2Jcleared\x07\r\n?END\r\nA\r\n");
  ASSERT_EQ(RunCommand({QvnBinary(), "compile", (folder / "esc.src").string()}).status, 0);
  CommandResult result = Play({"--choose=,", (folder / "esc.qvn").string()});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out.find('\x1b'), std::string::npos);
  EXPECT_EQ(result.out.find('\x07'), std::string::npos);
  EXPECT_NE(result.out.find("?[2Jcleared?"), std::string::npos) << result.out;
}

TEST_F(QvnPlay, EveryControlByteIsShownAsAQuestionMark) {
  // Every C0 byte a source line can hold (CR and LF end it, 0x1A the source)
  // and DEL, each after a run of letters that moves it to another place in
  // the eight-byte words the output is checked in.
  Bytes line, shown;
  for (int byte = 0; byte <= 0x7f; ++byte) {
    if ((byte >= 0x20 && byte != 0x7f) || byte == '\r' || byte == '\n' || byte == 0x1a) continue;
    Bytes letters(static_cast<std::size_t>(byte % 11), 'k');
    line += letters + static_cast<char>(byte);
    shown += letters + "?";
  }
  WriteBytes(folder / "ctl.src", "#A\r\n" + line + "\r\n?END\r\nA\r\n");
  ASSERT_EQ(RunCommand({QvnBinary(), "compile", (folder / "ctl.src").string()}).status, 0);
  CommandResult result = Play({"--choose=q", (folder / "ctl.qvn").string()});
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.out.find("\n" + shown + "\n[Next]\n"), std::string::npos) << result.out;
}

TEST_F(QvnPlay, MediaAreShownAsEventLines) {
  WriteBytes(folder / "m.src",
             "#A\r\n>BAK=sky.bmp\r\n>TIL=gone.bmp\r\n>BMP=pic.bmp\r\n>BGM=m.mid\r\n"
             ">EXE=tool.sh arg\r\nx\r\n?END\r\nA\r\n");
  ASSERT_EQ(RunCommand({QvnBinary(), "compile", (folder / "m.src").string()}).status, 0);
  WriteBytes(folder / "SKY.JPG", "");
  WriteBytes(folder / "m.mid", "");
  WriteBytes(folder / "tool.sh", "");
  CommandResult result = Play({"--choose=", (folder / "m.qvn").string()});
  std::string dir = folder.path().string() + "/";
  EXPECT_NE(result.out.find("  [background: " + dir + "sky.bmp]\n  [background missing: " + dir +
                            "gone.bmp]\n  [picture missing: " + dir + "pic.bmp]\n  [music: " + dir +
                            "m.mid]\n  [program (not started): " + dir + "tool.sh arg]\n"),
            std::string::npos)
      << result.out;
  EXPECT_NE(result.out.find("[sound stopped]"), std::string::npos) << "quitting stops the music";
  EXPECT_EQ(SlotLine("m.Q01", 52), "s%P%sky.bmp") << "the background picture the story had loaded";
}

TEST_F(QvnPlay, RunProgramsStartsOnlyProgramsInTheStorysFolder) {
  WriteBytes(folder / "p.src",
             "#A\r\n>EXE=%P%mark.sh %P%inside.txt\r\n>EXE=\\usr\\bin\\touch %P%outside.txt\r\n"
             "x\r\n?END\r\nA\r\n");
  WriteBytes(folder / "mark.sh", "#!/bin/sh\n: > \"$1\"\n");
  std::filesystem::permissions(folder / "mark.sh", std::filesystem::perms::owner_all);
  ASSERT_EQ(RunCommand({QvnBinary(), "compile", (folder / "p.src").string()}).status, 0);
  std::string dir = std::filesystem::canonical(folder.path()).string() + "/";

  // Without --run-programs nothing starts.
  CommandResult result = Play({"--choose=", (folder / "p.qvn").string()});
  EXPECT_NE(result.out.find("[program (not started): " + dir + "mark.sh " + dir + "inside.txt]"),
            std::string::npos)
      << result.out;

  // Unattended, a program outside the folder never starts.
  result = Play({"--run-programs", "--choose=", (folder / "p.qvn").string()});
  EXPECT_NE(result.out.find("[program started: " + dir + "mark.sh"), std::string::npos)
      << result.out;
  EXPECT_NE(result.out.find("[program outside the story's folder (not started): "),
            std::string::npos);
  for (int i = 0; i < 200 && !std::filesystem::exists(folder / "inside.txt"); ++i) ::usleep(10000);
  EXPECT_TRUE(std::filesystem::exists(folder / "inside.txt"));

  // At the prompt the reader is asked; "n" (or nothing) keeps it from starting.
  result = Play({"--run-programs", "--slot=1", (folder / "p.qvn").string()}, "n\nq\n");
  EXPECT_NE(result.out.find(
                "作品のフォルダーの外のプログラムを起動しようとしています:\n  /usr/bin/touch " +
                dir + "outside.txt"),
            std::string::npos)
      << result.out;
  result = Play({"--run-programs", "--slot=1", (folder / "p.qvn").string()}, "y\nq\n");
  for (int i = 0; i < 200 && !std::filesystem::exists(folder / "outside.txt"); ++i) ::usleep(10000);
  EXPECT_TRUE(std::filesystem::exists(folder / "outside.txt")) << result.out;
}

TEST_F(QvnPlay, VersionKey) {
  CommandResult result = Play({"--choose=v", (folder / "night.qvn").string()});
  EXPECT_NE(result.out.find("作品のバージョン : 1.5\n"), std::string::npos) << result.out;
}

TEST_F(QvnPlay, EraseFromTheSlotList) {
  ASSERT_EQ(Play({"--slot=3", "--choose=a", (folder / "night.qvn").string()}).status, 0);
  ASSERT_NE(ReadBytes(folder / "night.Q03"), fresh_slot);
  CommandResult result = Play({(folder / "night.qvn").string()}, "e3\ny\n3\nq\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("3: 夜道 - 主人公:勝"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("初期化(OKならもう一度消去を押す)"), std::string::npos);
  EXPECT_NE(result.out.find("主人公を入力して下さい"), std::string::npos) << "a new game again";
}

TEST_F(QvnPlay, FailuresAndUsage) {
  CommandResult missing = Play({"--choose=1", (folder / "none.qvn").string()});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("none.qvn: その名前のコンパイル済みの作品はありません"),
            std::string::npos)
      << missing.err;

  WriteBytes(folder / "night.qvj", "short");
  CommandResult damaged = Play({"--choose=1", (folder / "night.qvn").string()});
  EXPECT_EQ(damaged.status, 1);
  EXPECT_NE(
      damaged.err.find("ブロック索引が壊れています: 大きさ 5 バイトが 13 の倍数ではありません"),
      std::string::npos)
      << damaged.err;
  // The same words in English where the locale asks for it.
  CommandResult english = RunCommand({"/usr/bin/env", "LANG=en_GB.UTF-8", QvnBinary(), "play",
                                      "--choose=1", (folder / "night.qvn").string()});
  EXPECT_EQ(english.status, 1);
  EXPECT_NE(
      english.err.find("The block index is damaged: its size (5 bytes) is not a multiple of 13."),
      std::string::npos)
      << english.err;
  EXPECT_EQ(ReadBytes(folder / "night.Q01"), fresh_slot);

  EXPECT_EQ(Play({"--slot=5", "x.qvn"}).status, 64);
  EXPECT_EQ(Play({"--var=0=a", "x.qvn"}).status, 64);
  EXPECT_EQ(Play({}).status, 64);
  CommandResult help = Play({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--choose=KEYS"), std::string::npos);
}

TEST_F(QvnPlay, FifosAndOversizedFilesAreRefusedOnStderrWithStatus1) {
  std::filesystem::remove(folder / "night.qvj");
  ASSERT_EQ(::mkfifo((folder / "night.qvj").c_str(), 0644), 0);
  CommandResult fifo = Play({"--slot=1", "--choose=q", (folder / "night.qvn").string()});
  EXPECT_EQ(fifo.status, 1);
  EXPECT_NE(fifo.err.find("night.qvj: 通常のファイルではなく FIFO (名前付きパイプ) です"),
            std::string::npos)
      << fifo.err;
  // The refusal is the reader's language's, as the system's own reasons are.
  CommandResult english = RunCommand({"/usr/bin/env", "LANG=en_US.UTF-8", QvnBinary(), "play",
                                      "--slot=1", "--choose=q", (folder / "night.qvn").string()});
  EXPECT_NE(english.err.find("night.qvj: not a regular file but a FIFO (named pipe)"),
            std::string::npos)
      << english.err;

  std::filesystem::remove(folder / "night.qvj");
  ASSERT_EQ(RunCommand({QvnBinary(), "compile", (folder / "night.src").string()}).status, 0);
  std::filesystem::resize_file(folder / "night.Q01", 150'000'000);
  CommandResult large = Play({"--slot=1", "--choose=q", (folder / "night.qvn").string()});
  EXPECT_EQ(large.status, 1);
  EXPECT_NE(large.err.find("night.Q01: ファイルが大きすぎます: 150000000 バイト"),
            std::string::npos)
      << large.err;
  // The slot's status, its selection and its load all meet the refusal; the
  // reader is told once, on a terminal and over pipes alike.
  auto once = [](const std::string& err) {
    return err.find("大きすぎます") == err.rfind("大きすぎます") &&
           err.find("大きすぎます") != err.npos;
  };
  EXPECT_TRUE(once(large.err)) << large.err;
  CommandResult asked = Play({(folder / "night.qvn").string()}, "1\nq\n");
  EXPECT_TRUE(once(asked.err)) << asked.err;
}

TEST_F(QvnPlay, ReadOnlyStoryFolderKeepsItsSlotsInTheDataFolder) {
  std::filesystem::permissions(folder / "night.Q01", std::filesystem::perms::owner_read |
                                                         std::filesystem::perms::group_read);
  CommandResult result = Play({"--choose=a", (folder / "night.qvn").string()});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadBytes(folder / "night.Q01"), fresh_slot);
  EXPECT_TRUE(std::filesystem::exists(folder / "data/night.Q04"));
  Bytes saved = ReadBytes(folder / "data/night.Q01");
  EXPECT_NE(saved.find("\r\nRIGHT\r\n"), std::string::npos);
}

// An installed qvn (a copy outside its build folder) never writes into its
// own folder, even when it may: a read-only story's slots go to a folder of
// that story's own under $XDG_DATA_HOME/qvn/.
TEST_F(QvnPlay, AnInstalledCopyKeepsReadOnlyStoriesSlotsInTheirOwnDataFolder) {
  std::filesystem::create_directories(folder / "bin");
  std::filesystem::copy_file(QvnBinary(), folder / "bin/qvn");
  std::filesystem::permissions(folder / "night.Q01", std::filesystem::perms::owner_read |
                                                         std::filesystem::perms::group_read);
  CommandResult result = RunCommand({"/usr/bin/env", "XDG_DATA_HOME=" + (folder / "share").string(),
                                     "XDG_CONFIG_HOME=" + (folder / "config").string(),
                                     "/usr/bin/timeout", "60", (folder / "bin/qvn").string(),
                                     "play", "--choose=a", (folder / "night.qvn").string()});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder / "bin"),
                          std::filesystem::directory_iterator()),
            1)
      << "nothing beside the program";
  std::vector<std::filesystem::path> own;
  for (const auto& entry : std::filesystem::directory_iterator(folder / "share/qvn"))
    own.push_back(entry.path());
  ASSERT_EQ(own.size(), 1u);
  EXPECT_TRUE(own[0].filename().string().starts_with("night-"));
  EXPECT_NE(ReadBytes(own[0] / "night.Q01").find("\r\nRIGHT\r\n"), std::string::npos);
}

TEST_F(QvnPlay, ASaveThatFailsEndsWithStatus1) {
  // A folder in the place of the temporary save cannot be replaced by a
  // file, even by the superuser.
  std::filesystem::create_directories(folder / "night.QV$");
  CommandResult result = Play({"--choose=s", (folder / "night.qvn").string()});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("ユーザーデータ書込み不能"), std::string::npos) << result.err;
  EXPECT_EQ(SlotLine("night.Q01", 2), "START") << "the slot itself was saved";
}

TEST_F(QvnPlay, ProgramsStartOnlyWithRunPrograms) {
  WriteBytes(folder / "p.src", "#A\r\n>EXE=mark.sh\r\nx\r\n?END\r\nA\r\n");
  WriteBytes(folder / "mark.sh", "#!/bin/sh\necho started >> \"$(dirname \"$0\")/runs\"\n");
  ::chmod((folder / "mark.sh").c_str(), 0755);
  ASSERT_EQ(RunCommand({QvnBinary(), "compile", (folder / "p.src").string()}).status, 0);

  CommandResult quiet = Play({"--choose=q", (folder / "p.qvn").string()});
  EXPECT_EQ(quiet.status, 0) << quiet.err;
  EXPECT_NE(quiet.out.find("[program (not started): "), std::string::npos) << quiet.out;

  CommandResult started = Play({"--run-programs", "--choose=q", (folder / "p.qvn").string()});
  EXPECT_EQ(started.status, 0) << started.err;
  EXPECT_NE(started.out.find("[program started: "), std::string::npos) << started.out;
  // The program runs on its own; wait for its line (the first play, had it
  // started one, would have written before it).
  for (int i = 0; i < 300 && !std::filesystem::exists(folder / "runs"); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(ReadBytes(folder / "runs"), "started\n") << "started once, by the second play";
}

}  // namespace
}  // namespace qvn::testing
