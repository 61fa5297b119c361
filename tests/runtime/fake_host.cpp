#include "fake_host.h"

#include "common/encoding.h"

namespace qvn::testing {

std::vector<std::string> FakeHost::EventsStartingWith(const std::string& prefix) const {
  std::vector<std::string> found;
  for (const std::string& event : events)
    if (event.rfind(prefix, 0) == 0) found.push_back(event);
  return found;
}

void FakeHost::HideChoiceButtons() {
  choice_buttons = 0;
}

void FakeHost::ShowChoiceButtons(int count) {
  choice_buttons = count;
  open_button = false;
  events.push_back("buttons " + std::to_string(count));
}

void FakeHost::ShowOpenButton() {
  open_button = true;
  events.push_back("open button");
}

void FakeHost::ResetPage(const std::vector<Bytes>& lines, const StoryState& state) {
  page.clear();
  page_text_colour = state.text_colour;
  page_background_colour = state.background_colour;
  for (const Bytes& line : lines) page.push_back(Cp932ToUtf8(line));
  events.push_back("page");
}

void FakeHost::PageLineAdded(BytesView line) {
  page.push_back(Cp932ToUtf8(line));
  events.push_back("line " + Cp932ToUtf8(line));
}

void FakeHost::SetBusy(bool) {}

void FakeHost::HideGraphicsWindow() {}

void FakeHost::ShowPicture(const std::filesystem::path& picture) {
  events.push_back("picture " + picture.string());
  if (on_show_picture) on_show_picture();
}

bool FakeHost::LoadBackground(const std::filesystem::path& picture) {
  events.push_back("background " + picture.string());
  return backgrounds_load;
}

bool FakeHost::SoundKindEnabled(const std::filesystem::path&) {
  return sound_kind_enabled;
}

bool FakeHost::PlaySound(SoundDirective directive, const std::filesystem::path& file) {
  events.push_back(std::string(directive == SoundDirective::kMusic ? "music " : "wave ") +
                   file.filename().string());
  playing = sound_device_works;
  return sound_device_works;
}

void FakeHost::StopSound() {
  if (!playing) return;
  playing = false;
  events.push_back("stop sound");
}

ProgramAnswer FakeHost::AskToStartProgram(const ProgramRequest& request) {
  program_questions.push_back(request);
  std::string line = "ask";
  for (const std::string& word : request.argv) line += " " + word;
  if (request.outside_story_folder) line += " (outside)";
  events.push_back(line);
  if (on_program_question) on_program_question();
  if (program_script.empty()) return program_answer;
  ProgramAnswer answer = program_script.front();
  program_script.pop_front();
  return answer;
}

void FakeHost::StartProgram(const ProgramFile& program, const std::vector<std::string>& argv) {
  started_inodes.push_back(program.Inode());
  std::string line = "program";
  for (const std::string& word : argv) line += " " + word;
  events.push_back(line);
}

std::optional<int> FakeHost::ChooseSlot(SlotDialog& dialog) {
  if (slot_script.empty()) return 1;
  auto answer = slot_script.front();
  slot_script.pop_front();
  return answer(dialog);
}

std::optional<Bytes> FakeHost::AskVariable(int, BytesView comment, BytesView preset) {
  prompts.push_back(Cp932ToUtf8(comment));
  if (variable_script.empty()) {
    if (preset.empty()) return std::nullopt;  // would ask for ever
    return Bytes(preset);
  }
  std::optional<std::string> answer = variable_script.front();
  variable_script.pop_front();
  if (!answer) return std::nullopt;
  return Utf8ToCp932(*answer);
}

void FakeHost::ShowWriteFailure(BytesView message) {
  ++write_failures;
  events.push_back("write failure " + Cp932ToUtf8(message));
}

void FakeHost::ShowErrorBox(const std::string& file, const std::string& reason) {
  ++error_boxes;
  events.push_back("error " + file + ": " + reason);
}

void FakeHost::SetCaption(BytesView caption) {
  events.push_back("caption " + Cp932ToUtf8(caption));
}

void FakeHost::BalanceWindow() {}

void FakeHost::EnableTempSaveCommands(bool, bool open_temp_save) {
  events.push_back(std::string("temp save commands ") + (open_temp_save ? "both" : "save"));
}

}  // namespace qvn::testing
