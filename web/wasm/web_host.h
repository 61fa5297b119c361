#pragma once
// The host of the runtime inside the web page: every call goes to the page's
// JavaScript (Module.qvnHost). Pages go out as rows already broken by the
// layout, so the page shows the rows QVN3 shows for the same width.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "common/json_string.h"
#include "runtime/host.h"

namespace qvn {

class WebHost : public Host {
 public:
  // Bytes per row from the page's width and its font's cell, both in CSS
  // pixels; draws the page again when that changes.
  void SetWidth(int client_width, int cell_width);

  // The two questions of an open are asked by the page between opens: an
  // open that needs an answer not given yet is abandoned, and `Asked` says
  // which question the page must ask before it opens again.
  enum class Question { kNone, kSlot, kVariable };
  Question Asked() const { return question_; }
  void ClearQuestion() { question_ = Question::kNone; }
  // {"number":N,"comment":...,"preset":...} of the variable asked for.
  const std::string& VariableQuestion() const { return variable_question_; }
  void SetSlotAnswer(int slot) { slot_answer_ = slot; }
  // False for an answer the prompt refuses (empty, or beyond CP932).
  bool SetVariableAnswer(int number, const std::string& utf8);
  void ForgetAnswers();
  int BytesPerRowNow() const { return bytes_per_row_; }

  void HideChoiceButtons() override;
  void ShowChoiceButtons(int count) override;
  void ShowOpenButton() override;
  void ResetPage(const std::vector<Bytes>& lines, const StoryState& state) override;
  void PageLineAdded(BytesView line) override;
  void SetBusy(bool) override {}
  void HideGraphicsWindow() override;
  void ShowPicture(const std::filesystem::path& picture) override;
  bool LoadBackground(const std::filesystem::path& picture) override;
  bool SoundKindEnabled(const std::filesystem::path& file) override;
  bool PlaySound(SoundDirective directive, const std::filesystem::path& file) override;
  void StopSound() override;
  ProgramAnswer AskToStartProgram(const ProgramRequest& request) override;
  void StartProgram(const ProgramFile&, const std::vector<std::string>&) override {}
  std::optional<int> ChooseSlot(SlotDialog& dialog) override;
  std::optional<Bytes> AskVariable(int number, BytesView comment, BytesView preset) override;
  void ShowWriteFailure(BytesView message) override;
  void ShowErrorBox(const std::string& file, const std::string& reason) override;
  void SetCaption(BytesView caption) override;
  void BalanceWindow() override {}
  void EnableTempSaveCommands(bool temp_save, bool open_temp_save) override;

 private:
  void Draw();

  Question question_ = Question::kNone;
  std::optional<int> slot_answer_;
  std::array<std::optional<Bytes>, kVariableCount> variable_answers_;
  std::string variable_question_;
  std::vector<Bytes> lines_;
  int text_colour_ = 16;
  int background_colour_ = 16;
  char background_mode_ = 0;     // 's' stretched, 't' tiled, 0 none
  std::string background_path_;  // in the page's file system
  std::string loaded_background_;
  int bytes_per_row_ = 78;
};

}  // namespace qvn
