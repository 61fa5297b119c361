#include "web/wasm/web_host.h"

#include <emscripten.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "common/encoding.h"
#include "layout/background_geometry.h"
#include "layout/page_breaking.h"
#include "layout/page_colours.h"
#include "platform/file_names.h"
#include "runtime/slot_dialog.h"

// The page's side: Module.qvnHost in host.js. Strings are UTF-8.
EM_JS(void, qvn_js_choices, (int count), { Module.qvnHost.choices(count); });
EM_JS(void, qvn_js_page, (const char* json),
      { Module.qvnHost.page(JSON.parse(UTF8ToString(json))); });
EM_JS(void, qvn_js_picture, (const char* path), { Module.qvnHost.picture(UTF8ToString(path)); });
EM_JS(int, qvn_js_sound_kind, (const char* path),
      { return Module.qvnHost.soundKindEnabled(UTF8ToString(path)) ? 1 : 0; });
EM_JS(int, qvn_js_play, (int music, const char* path),
      { return Module.qvnHost.play(music != 0, UTF8ToString(path)) ? 1 : 0; });
EM_JS(void, qvn_js_stop, (), { Module.qvnHost.stop(); });
EM_JS(void, qvn_js_program, (const char* command),
      { Module.qvnHost.program(UTF8ToString(command)); });
EM_JS(void, qvn_js_notice, (int error, const char* text),
      { Module.qvnHost.notice(error != 0, UTF8ToString(text)); });
EM_JS(void, qvn_js_caption, (const char* text), { Module.qvnHost.caption(UTF8ToString(text)); });
EM_JS(void, qvn_js_temp_save, (int save, int open),
      { Module.qvnHost.tempSave(save != 0, open != 0); });
namespace qvn {

namespace {

std::string Hex(Rgb colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.red, colour.green, colour.blue);
  return text;
}

// The file as it is found in the page's file system, letter case ignored;
// empty when it is not there.
std::string Existing(const std::filesystem::path& path) {
  std::optional<fs::path> found = ResolveExisting(path);
  std::error_code ec;
  if (!found || !fs::is_regular_file(*found, ec)) return {};
  return found->string();
}

}  // namespace

void WebHost::SetWidth(int client_width, int cell_width) {
  int bytes = BytesPerRow(client_width, 0, cell_width > 0 ? cell_width : 1);
  if (bytes < 2) bytes = 2;
  if (bytes == bytes_per_row_) return;
  bytes_per_row_ = bytes;
  Draw();
}

void WebHost::HideChoiceButtons() {
  qvn_js_choices(0);
}

void WebHost::ShowChoiceButtons(int count) {
  qvn_js_choices(count);
}

void WebHost::ShowOpenButton() {
  qvn_js_choices(-1);
}

void WebHost::ResetPage(const std::vector<Bytes>& lines, const StoryState& state) {
  lines_ = lines;
  text_colour_ = state.text_colour;
  background_colour_ = state.background_colour;
  background_mode_ = state.background_spec.empty() ? 0 : state.background_spec[0];
  background_path_ = background_mode_ ? loaded_background_ : std::string();
  Draw();
}

void WebHost::PageLineAdded(BytesView line) {
  lines_.emplace_back(line);
  Draw();
}

void WebHost::Draw() {
  std::string json = "{\"rows\":[";
  bool first = true;
  for (const Bytes& line : lines_) {
    for (BytesView row : BreakLine(line, bytes_per_row_)) {
      if (!first) json.push_back(',');
      first = false;
      json += JsonString(Cp932ToUtf8(row));
    }
  }
  json += "],\"bytesPerRow\":" + std::to_string(bytes_per_row_);
  json += ",\"text\":\"" + Hex(TextColour(text_colour_)) + "\"";
  json += ",\"back\":\"" + Hex(BackgroundColour(background_colour_)) + "\"";
  json += ",\"outline\":\"" + Hex(OutlineColour(text_colour_, false)) + "\"";
  json += ",\"outlineBright\":\"" + Hex(OutlineColour(text_colour_, true)) + "\"";
  json += ",\"watermark\":\"" + Hex(WatermarkColour(background_colour_, false)) + "\"";
  json += ",\"backgroundMode\":\"" +
          std::string(background_mode_ == 't' ? "tile"
                      : background_mode_      ? "stretch"
                                              : "") +
          "\"";
  json += ",\"background\":" + JsonString(background_path_) + "}";
  qvn_js_page(json.c_str());
}

void WebHost::HideGraphicsWindow() {
  qvn_js_picture("");
}

void WebHost::ShowPicture(const std::filesystem::path& picture) {
  // A JPEG file of the same name goes first, as QVN3's picture loader finds it.
  std::filesystem::path jpeg = picture;
  jpeg.replace_extension(".JPG");
  std::string found = Existing(jpeg);
  if (found.empty()) found = Existing(picture);
  if (!found.empty()) qvn_js_picture(found.c_str());
}

bool WebHost::LoadBackground(const std::filesystem::path& picture) {
  std::filesystem::path jpeg = picture;
  jpeg.replace_extension(".JPG");
  std::string found = Existing(jpeg);
  if (found.empty()) found = Existing(picture);
  if (found.empty()) return false;
  loaded_background_ = found;
  return true;
}

bool WebHost::SoundKindEnabled(const std::filesystem::path& file) {
  return qvn_js_sound_kind(file.string().c_str()) != 0;
}

bool WebHost::PlaySound(SoundDirective directive, const std::filesystem::path& file) {
  return qvn_js_play(directive == SoundDirective::kMusic, Existing(file).c_str()) != 0;
}

void WebHost::StopSound() {
  qvn_js_stop();
}

ProgramAnswer WebHost::AskToStartProgram(const ProgramRequest& request) {
  // A page never starts a program: it only says which one the story asked for.
  std::string line;
  for (const std::string& word : request.argv) {
    std::string shown = word.starts_with("/story/") ? word.substr(7) : word;
    line += (line.empty() ? "" : " ") + shown;
  }
  qvn_js_program(line.c_str());
  return ProgramAnswer::kDoNotStart;
}

std::optional<int> WebHost::ChooseSlot(SlotDialog& dialog) {
  if (!slot_answer_) {
    question_ = Question::kSlot;
    return std::nullopt;
  }
  dialog.Select(*slot_answer_);
  return slot_answer_;
}

std::optional<Bytes> WebHost::AskVariable(int number, BytesView comment, BytesView preset) {
  std::optional<Bytes>& answer = variable_answers_[number - 1];
  if (answer && !answer->empty()) return answer;
  question_ = Question::kVariable;
  variable_question_ = "{\"number\":" + std::to_string(number) +
                       ",\"comment\":" + JsonString(Cp932ToUtf8(comment)) +
                       ",\"preset\":" + JsonString(Cp932ToUtf8(preset)) + "}";
  return std::nullopt;
}

bool WebHost::SetVariableAnswer(int number, const std::string& utf8) {
  if (number < 1 || number > kVariableCount || utf8.empty()) return false;
  Bytes cp932 = Utf8ToCp932(utf8);
  // A "?" that the reader did not type stands for what CP932 cannot hold:
  // the prompt asks again rather than keep a changed name.
  if (std::count(cp932.begin(), cp932.end(), '?') != std::count(utf8.begin(), utf8.end(), '?'))
    return false;
  variable_answers_[number - 1] = std::move(cp932);
  return true;
}

void WebHost::ForgetAnswers() {
  slot_answer_.reset();
  for (std::optional<Bytes>& answer : variable_answers_) answer.reset();
  question_ = Question::kNone;
}

void WebHost::ShowWriteFailure(BytesView message) {
  qvn_js_notice(0, Cp932ToUtf8(message).c_str());
}

void WebHost::ShowErrorBox(const std::string& file, const std::string& reason) {
  std::string shown = file.starts_with("/story/") ? file.substr(7) : file;
  qvn_js_notice(1, (shown.empty() ? reason : shown + ": " + reason).c_str());
}

void WebHost::SetCaption(BytesView caption) {
  qvn_js_caption(Cp932ToUtf8(caption).c_str());
}

void WebHost::EnableTempSaveCommands(bool temp_save, bool open_temp_save) {
  qvn_js_temp_save(temp_save, open_temp_save);
}

}  // namespace qvn
