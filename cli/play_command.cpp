#include "cli/play_command.h"

#include "platform/file_names.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_line.h"
#include "cli/exit_codes.h"
#include "cli/terminal_host.h"
#include "cli/terminal_name.h"
#include "common/encoding.h"
#include "common/message_catalogue.h"
#include "platform/program_folder.h"
#include "runtime/slot_dialog.h"
#include "runtime/story_location.h"
#include "runtime/story_session.h"

namespace qvn {

namespace {

constexpr const char* kAbout = QT_TRANSLATE_NOOP(
    "qvn",
    "コンパイルされた作品を端末で、ブラウザと同じランタイムで読みます。STORY には\n"
    "作品の .qvn、.qvj か同じベース名のどれかのファイルを与えます。\n"
    "\n"
    "ふつうは対話で進みます: スロットを選び、ニューゲームの問いに答え (Enter で\n"
    "示された値のまま)、キーを打って Enter を押します:\n"
    "  1-6, A-F, a-f   示された選択肢を選ぶ\n"
    "  Enter           選択肢が一つかないときの「Next」\n"
    "  s               一時セーブ (作品の終わりの後でも)\n"
    "  t               一時セーブを開く (ないときは何もしない)\n"
    "  r               作品を開き直す (終わりの後: もう一度読む)\n"
    "  v               作品のバージョン   q   終了 (進み具合はセーブされる)\n"
    "作品の終わりの後は、ブラウザと同じく選択肢のキーは何もしません。\n"
    "画像、背景、音、プログラムは [event] の行で示します。\n");

constexpr const char* kClosing = QT_TRANSLATE_NOOP(
    "qvn",
    "終了ステータス: 0 読めた、1 作品を開けないか読めないかセーブに失敗した、\n"
    "64 使い方の誤り (--choose での実行で、ニューゲームの問いが受け付けない --var\n"
    "の値や、既定値のない変数に値がないときも)。\n");

struct PlayOptions {
  TerminalAnswers answers;
  std::optional<std::vector<std::string>> keys;
  std::string data_dir;
  bool old_exe = false;
  std::string story;
};

std::vector<std::string> SplitKeys(std::string_view keys) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (;;) {
    std::size_t comma = keys.find(',', start);
    out.emplace_back(keys.substr(start, comma - start));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return out;
}

CommandLine PlayCommandLine(PlayOptions& options) {
  auto set_switch = [](bool& flag) {
    return [&flag](std::string_view) -> std::string {
      flag = true;
      return {};
    };
  };
  return {
      "play",
      "STORY",
      kAbout,
      {{"--slot", "1..4", QT_TRANSLATE_NOOP("qvn", "問わずにこのスロットを使う"),
        [&](std::string_view slot) -> std::string {
          if (slot.size() != 1 || slot[0] < '1' || slot[0] > '4')
            return Translate("qvn", "--slot には 1 から 4 を与えます");
          options.answers.slot = slot[0] - '0';
          return {};
        }},
       {"--var", "N=TEXT", QT_TRANSLATE_NOOP("qvn", "ニューゲームの問いで変数 %N に TEXT と答える"),
        [&](std::string_view var) -> std::string {
          if (var.size() < 2 || var[0] < '1' || var[0] > '9' || var[1] != '=')
            return Translate("qvn", "--var には N=TEXT を与えます (N は 1 から 9)");
          options.answers.vars[var[0] - '1'] = std::string(var.substr(2));
          return {};
        },
        true},
       {"--choose", "KEYS",
        QT_TRANSLATE_NOOP("qvn",
                          "問わずに読む: コンマで区切った KEYS のキーを順に押し\n"
                          "(空のキーは Enter)、作品を閉じて進み具合をスロットに\n"
                          "セーブする。--slot がなければスロット 1、--var が\n"
                          "なければ既定値。KEYS には上のとおりに働くコマンド\n"
                          "s, t, r, v, q も書ける。q の後のキーは押さない"),
        [&](std::string_view keys) -> std::string {
          options.keys = SplitKeys(keys);
          return {};
        }},
       {"--data-dir", "DIR",
        QT_TRANSLATE_NOOP("qvn",
                          "書き込めないフォルダーの作品のユーザーデータを DIR に置く\n"
                          "(既定: ~/.local/share/qvn の下の作品ごとのフォルダー。\n"
                          "ビルドしたフォルダーで動く qvn ではプログラムのフォルダー)"),
        [&](std::string_view folder) -> std::string {
          if (folder.empty()) return Translate("qvn", "--data-dir にはフォルダーを与えます");
          options.data_dir = std::string(folder);
          return {};
        }},
       {"--run-programs", "", QT_TRANSLATE_NOOP("qvn", "作品が名指すプログラムを本当に起動する"),
        set_switch(options.answers.run_programs)},
       {"--old-exe", "",
        QT_TRANSLATE_NOOP("qvn", "どの種類でもない「>」の行がプログラムを起動する (古い作品)"),
        set_switch(options.old_exe)}},
      kClosing};
}

bool IsChoiceKey(const std::string& key) {
  if (key.empty()) return true;  // Enter
  if (key.size() != 1) return false;
  char code = key[0];
  return (code >= '1' && code <= '6') || (code >= 'A' && code <= 'F') ||
         (code >= 'a' && code <= 'f');
}

// One key or command of the reader, as the window's keys and menu commands
// act. Returns false for quit.
bool PressKey(const std::string& key, StorySession& session, TerminalHost& host, bool interactive) {
  if (key == "q" || key == "Q") return false;
  if (key == "s" || key == "S") {
    session.TempSave();
  } else if (key == "t" || key == "T") {
    // The window's command is disabled while there is no temporary save.
    if (FileExists(session.Location().TempSaveFile()))
      session.OpenTempSave();
    else if (interactive)
      host.Print(Translate("qvn", "(一時セーブはまだありません)"));
  } else if (key == "r" || key == "R") {
    session.ReopenStory();
  } else if (key == "v" || key == "V") {
    host.Print(Cp932ToUtf8(VersionText(session.Index())));
  } else if (!IsChoiceKey(key)) {
    host.Print(Translate("qvn", "(キー: 1-6, A-F, Enter, s, t, r, v, q)"));
  } else if (!session.IsOpen()) {
    // The window ignores every key while no story is open; its "開く"
    // button is "r" here.
    if (interactive) host.Print(Translate("qvn", "(作品が開いていません: r で開き直し、q で終了)"));
  } else if (key.empty()) {
    // No button holds the focus in a terminal: Enter is "Next" only.
    if (session.ChoiceCount() <= 1) session.SelectChoice(1);
  } else if (int k = key[0] & 7; k <= session.ChoiceCount()) {
    session.SelectChoice(k);
  }
  return true;
}

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder.push_back('/');
  return folder;
}

}  // namespace

int RunPlayCommand(int argc, char** argv) {
  PlayOptions options;
  CommandLine line = PlayCommandLine(options);
  if (auto status = ParseCommandLine(line, argc, argv, options.story)) return *status;
  options.answers.interactive = !options.keys.has_value();

  TerminalHost host(options.answers, stdin, stdout, stderr);
  std::string program_folder = ProgramFolderForWriting(ProgramFolder());
  std::string fallback_folder = DefaultFallbackFolder();
  if (!options.data_dir.empty()) {
    // The folder asked for is the only place for user data.
    std::error_code ec;
    std::filesystem::create_directories(options.data_dir, ec);
    program_folder = fallback_folder = WithSlash(options.data_dir);
  }
  StorySession session(host, program_folder, fallback_folder);
  session.Options().old_program_form = options.old_exe;
  session.SetStory(options.story);
  // Say so plainly when there is no story at all, rather than name the first
  // of its files that the open would look for.
  std::string body = session.Location().StoryFile(".QVN");
  if (!ResolveExisting(body)) {
    std::fprintf(stderr, "qvn play: %s\n",
                 FormatMessage(Translate("qvn",
                                         "%1: その名前のコンパイル済みの作品はありません "
                                         "(%2 がありません)"),
                               {EscapeControlBytes(options.story), EscapeControlBytes(body)})
                     .c_str());
    return kExitFailed;
  }
  int pages_before = host.Pages();
  bool opened = session.OpenStory();
  std::fflush(stdout);
  if (!host.UsageError().empty()) return UsageError(line, host.UsageError());
  // A story whose first page ends it was opened and ended at once: the page
  // was shown and the slot saved, as after any end of story.
  if (!opened && host.Pages() == pages_before) {
    if (host.ErrorBoxes() == 0)
      std::fprintf(stderr, "qvn play: %s\n", Translate("qvn", "作品を開けませんでした").c_str());
    return kExitFailed;
  }
  // Slot files missing from the list do not fail the play; story data that
  // cannot be played after the open does, and so does a save that fails.
  int errors_at_open = host.ErrorBoxes();

  if (options.keys) {
    for (const std::string& key : *options.keys)
      if (!PressKey(key, session, host, false) || !host.UsageError().empty()) break;
  } else {
    for (;;) {
      host.Prompt("> ");
      std::optional<std::string> line = host.ReadLine();
      if (!line || !PressKey(*line, session, host, true)) break;
    }
  }
  host.StopSound();
  session.CloseStory();
  std::fflush(stdout);
  if (!host.UsageError().empty()) return UsageError(line, host.UsageError());
  bool failed = host.ErrorBoxes() != errors_at_open || host.WriteFailures() > 0;
  return failed ? kExitFailed : kExitOk;
}

}  // namespace qvn
