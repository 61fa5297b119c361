#pragma once
// A host that records every call as one readable line (story bytes converted
// to UTF-8) and answers the slot dialog and the new-game prompt from scripts.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/program_file.h"
#include "runtime/host.h"
#include "runtime/slot_dialog.h"

namespace qvn::testing {

class FakeHost : public Host {
 public:
  // Answers of the slot dialog: each is run on the dialog and returns the
  // slot chosen; slot 1 when the script is used up.
  std::deque<std::function<std::optional<int>(SlotDialog&)>> slot_script;
  // Answers of the new-game prompt; the preset when the script is used up
  // (and the end of input when that is empty).
  std::deque<std::optional<std::string>> variable_script;
  bool sound_kind_enabled = true;
  bool sound_device_works = true;
  bool backgrounds_load = true;
  // Answers of the program question, in order; then `program_answer`.
  std::deque<ProgramAnswer> program_script;
  ProgramAnswer program_answer = ProgramAnswer::kDoNotStart;
  std::vector<ProgramRequest> program_questions;
  // Called from AskToStartProgram before it answers, as the reader thinks.
  std::function<void()> on_program_question;
  std::vector<ino_t> started_inodes;  // of the files StartProgram was given
  // Called from ShowPicture, where a window lets events through.
  std::function<void()> on_show_picture;

  std::vector<std::string> events;
  std::vector<std::string> page;  // the page shown, UTF-8
  int choice_buttons = 0;
  bool open_button = false;
  bool playing = false;
  std::vector<std::string> prompts;  // comments of the new-game prompt
  int error_boxes = 0;
  int write_failures = 0;

  // Events that start with `prefix`.
  std::vector<std::string> EventsStartingWith(const std::string& prefix) const;
  void ChooseSlot(int slot) {
    slot_script.push_back([slot](SlotDialog&) { return slot; });
  }

  void HideChoiceButtons() override;
  void ShowChoiceButtons(int count) override;
  void ShowOpenButton() override;
  void ResetPage(const std::vector<Bytes>& lines, const StoryState& state) override;
  // The colours the last page was drawn in.
  int page_text_colour = -1;
  int page_background_colour = -1;
  void PageLineAdded(BytesView line) override;
  void SetBusy(bool busy) override;
  void HideGraphicsWindow() override;
  void ShowPicture(const std::filesystem::path& picture) override;
  bool LoadBackground(const std::filesystem::path& picture) override;
  bool SoundKindEnabled(const std::filesystem::path& file) override;
  bool PlaySound(SoundDirective directive, const std::filesystem::path& file) override;
  void StopSound() override;
  ProgramAnswer AskToStartProgram(const ProgramRequest& request) override;
  void StartProgram(const ProgramFile& program, const std::vector<std::string>& argv) override;
  std::optional<int> ChooseSlot(SlotDialog& dialog) override;
  std::optional<Bytes> AskVariable(int number, BytesView comment, BytesView preset) override;
  void ShowWriteFailure(BytesView message) override;
  void ShowErrorBox(const std::string& file, const std::string& reason) override;
  void SetCaption(BytesView caption) override;
  void BalanceWindow() override;
  void EnableTempSaveCommands(bool temp_save, bool open_temp_save) override;
};

}  // namespace qvn::testing
