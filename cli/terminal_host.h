#pragma once
// The story window of `qvn play`: pages and choices printed as UTF-8 text,
// pictures, sounds and programs as short event lines, the slot dialog and the
// new-game prompt read from the terminal or answered from options. Output is
// buffered and flushed before the reader's input is read and before a notice.
#include <array>
#include <cstdio>
#include <optional>
#include <set>
#include <string>

#include "common/cp932_decoder.h"
#include "runtime/host.h"

namespace qvn {

struct TerminalAnswers {
  std::optional<int> slot;                         // --slot
  std::array<std::optional<std::string>, 9> vars;  // --var=N=TEXT, UTF-8
  bool interactive = true;                         // read answers from `in`
  // --run-programs: programs in the story's folder start; one outside it
  // starts only when the reader says so at the prompt (never unattended).
  bool run_programs = false;
};

class TerminalHost : public Host {
 public:
  TerminalHost(TerminalAnswers answers, std::FILE* in, std::FILE* out, std::FILE* err);

  int ChoiceButtons() const { return choice_buttons_; }
  bool OpenButtonShown() const { return open_button_; }
  int ErrorBoxes() const { return error_boxes_; }
  int WriteFailures() const { return write_failures_; }
  int Pages() const { return pages_; }
  // Why an answer given by option was refused in a run without the reader
  // (the open was abandoned); empty when none was.
  const std::string& UsageError() const { return usage_error_; }
  // A line of the reader's input without its line end; nullopt at the end.
  std::optional<std::string> ReadLine();
  // Text for the reader, with control characters shown as "?".
  void Print(const std::string& utf8_line);
  void Prompt(const std::string& utf8_text);
  // A line on the error output, after everything printed before it.
  void Notice(const std::string& utf8_line);

  void HideChoiceButtons() override;
  void ShowChoiceButtons(int count) override;
  void ShowOpenButton() override;
  void ResetPage(const std::vector<Bytes>& lines, const StoryState& state) override;
  void PageLineAdded(BytesView line) override;
  void SetBusy(bool) override {}
  void HideGraphicsWindow() override {}
  void ShowPicture(const std::filesystem::path& picture) override;
  bool LoadBackground(const std::filesystem::path& picture) override;
  bool SoundKindEnabled(const std::filesystem::path&) override { return true; }
  bool PlaySound(SoundDirective directive, const std::filesystem::path& file) override;
  void StopSound() override;
  ProgramAnswer AskToStartProgram(const ProgramRequest& request) override;
  void StartProgram(const ProgramFile& program, const std::vector<std::string>& argv) override;
  std::optional<int> ChooseSlot(SlotDialog& dialog) override;
  std::optional<Bytes> AskVariable(int number, BytesView comment, BytesView preset) override;
  void ShowWriteFailure(BytesView message) override;
  void ShowErrorBox(const std::string& file, const std::string& reason) override;
  void SetCaption(BytesView caption) override;
  void BalanceWindow() override {}
  void EnableTempSaveCommands(bool, bool) override {}

 private:
  void Event(const std::string& text);
  void PrintButtons();

  TerminalAnswers answers_;
  std::FILE* in_;
  std::FILE* out_;
  std::FILE* err_;
  int choice_buttons_ = 0;
  bool open_button_ = false;
  bool playing_ = false;
  int error_boxes_ = 0;
  // Error boxes printed since the last page: the slot list, the selection
  // and the load may each meet the same unreadable file.
  std::set<std::string> errors_told_;
  int write_failures_ = 0;
  int pages_ = 0;
  std::string usage_error_;
  Cp932Decoder decoder_;  // for pages: the bulk of the output
};

}  // namespace qvn
