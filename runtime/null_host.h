#pragma once
// A host that shows nothing and answers every question at once: slot 1, the
// default value of each variable. For playing a story without a window (the
// benchmark, the fuzz target).
#include <string>

#include "runtime/host.h"

namespace qvn {

class NullHost : public Host {
 public:
  long pages = 0;
  long error_boxes = 0;
  std::string last_error;  // file and reason of the last error box

  void HideChoiceButtons() override {}
  void ShowChoiceButtons(int) override {}
  void ShowOpenButton() override {}
  void ResetPage(const std::vector<Bytes>&, const StoryState&) override { ++pages; }
  void PageLineAdded(BytesView) override {}
  void SetBusy(bool) override {}
  void HideGraphicsWindow() override {}
  void ShowPicture(const std::filesystem::path&) override {}
  bool LoadBackground(const std::filesystem::path&) override { return true; }
  bool SoundKindEnabled(const std::filesystem::path&) override { return true; }
  bool PlaySound(SoundDirective, const std::filesystem::path&) override { return true; }
  void StopSound() override {}
  // Nobody to ask: nothing is started.
  ProgramAnswer AskToStartProgram(const ProgramRequest&) override {
    return ProgramAnswer::kDoNotStart;
  }
  void StartProgram(const ProgramFile&, const std::vector<std::string>&) override {}
  std::optional<int> ChooseSlot(SlotDialog&) override { return 1; }
  // A value must not be empty: an empty default is answered with "x".
  std::optional<Bytes> AskVariable(int, BytesView, BytesView preset) override {
    return preset.empty() ? Bytes("x") : Bytes(preset);
  }
  void ShowWriteFailure(BytesView) override {}
  void ShowErrorBox(const std::string& file, const std::string& reason) override {
    ++error_boxes;
    last_error = file + ": " + reason;
  }
  void SetCaption(BytesView) override {}
  void BalanceWindow() override {}
  void EnableTempSaveCommands(bool, bool) override {}
};

}  // namespace qvn
