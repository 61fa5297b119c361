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
#include "platform/program_folder.h"
#include "runtime/slot_dialog.h"
#include "runtime/story_location.h"
#include "runtime/story_session.h"

namespace qvn {

namespace {

constexpr const char* kAbout =
    "Plays a compiled story (STORY names its .qvn, .qvj or any file of the same\n"
    "base name) in the terminal, on the same runtime as the browser.\n"
    "\n"
    "Interactive by default: pick a slot, answer the new-game prompt (Enter keeps\n"
    "the value shown), then type a key and Enter:\n"
    "  1-6, A-F, a-f   take that choice when it is offered\n"
    "  Enter           \"Next\" when one choice or none is shown\n"
    "  s               temporary save (also after the end of the story)\n"
    "  t               open the temporary save (nothing while there is none)\n"
    "  r               reopen the story (after its end: play it again)\n"
    "  v               the story's version   q   quit (progress is saved)\n"
    "Choice keys do nothing after the end of the story, as in the browser.\n"
    "Pictures, backgrounds, sounds and programs are shown as [event] lines.\n";

constexpr const char* kClosing =
    "Exit status: 0 played, 1 the story could not be opened or played or a save\n"
    "failed, 64 bad usage (also a --var value the new-game prompt refuses, or\n"
    "none for a variable without a default, in a run with --choose).\n";

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
  return {"play",
          "STORY",
          kAbout,
          {{"--slot", "1..4", "use this slot without asking",
            [&](std::string_view slot) -> std::string {
              if (slot.size() != 1 || slot[0] < '1' || slot[0] > '4') return "--slot takes 1 to 4";
              options.answers.slot = slot[0] - '0';
              return {};
            }},
           {"--var", "N=TEXT", "answer the new-game prompt for variable %N with TEXT",
            [&](std::string_view var) -> std::string {
              if (var.size() < 2 || var[0] < '1' || var[0] > '9' || var[1] != '=')
                return "--var takes N=TEXT with N from 1 to 9";
              options.answers.vars[var[0] - '1'] = std::string(var.substr(2));
              return {};
            },
            true},
           {"--choose", "KEYS",
            "play without asking: press each key of the comma-separated\n"
            "KEYS (an empty key is Enter), then close the story, which\n"
            "saves the progress into the slot; slot 1 unless --slot,\n"
            "default values unless --var. KEYS may also hold the\n"
            "commands s, t, r, v and q, which act as above; keys after\n"
            "q are left unpressed",
            [&](std::string_view keys) -> std::string {
              options.keys = SplitKeys(keys);
              return {};
            }},
           {"--data-dir", "DIR",
            "user data of stories in read-only folders goes to DIR\n"
            "(default: a folder of the story's own under ~/.local/share/qvn;\n"
            "the program's folder when qvn runs from the folder it was built in)",
            [&](std::string_view folder) -> std::string {
              if (folder.empty()) return "--data-dir needs a folder";
              options.data_dir = std::string(folder);
              return {};
            }},
           {"--run-programs", "", "really start the programs named by the story",
            set_switch(options.answers.run_programs)},
           {"--old-exe", "", "\">\" lines of no known kind start a program (old stories)",
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
      host.Print("(no temporary save yet)");
  } else if (key == "r" || key == "R") {
    session.ReopenStory();
  } else if (key == "v" || key == "V") {
    host.Print(Cp932ToUtf8(VersionText(session.Index())));
  } else if (!IsChoiceKey(key)) {
    host.Print("(keys: 1-6, A-F, Enter, s, t, r, v, q)");
  } else if (!session.IsOpen()) {
    // The window ignores every key while no story is open; its "開く"
    // button is "r" here.
    if (interactive) host.Print("(no story open: r opens it again, q quits)");
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
    std::fprintf(stderr, "qvn play: %s: no compiled story of that name (%s is missing)\n",
                 EscapeControlBytes(options.story).c_str(), EscapeControlBytes(body).c_str());
    return kExitFailed;
  }
  int pages_before = host.Pages();
  bool opened = session.OpenStory();
  std::fflush(stdout);
  if (!host.UsageError().empty()) return UsageError(line, host.UsageError());
  // A story whose first page ends it was opened and ended at once: the page
  // was shown and the slot saved, as after any end of story.
  if (!opened && host.Pages() == pages_before) {
    if (host.ErrorBoxes() == 0) std::fprintf(stderr, "qvn play: the story was not opened\n");
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
