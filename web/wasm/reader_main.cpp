// The web reader's entry points: the page creates one reader for its story
// (already written into the page's file system under /story/) and calls
// these as the reader presses keys and buttons. No state lives outside the
// reader the page holds.
#include <emscripten.h>
#include <unistd.h>

#include <memory>
#include <optional>
#include <string>

#include "common/encoding.h"
#include "platform/file_names.h"
#include "runtime/slot_dialog.h"
#include "runtime/story_session.h"
#include "web/wasm/web_host.h"

namespace qvn {
namespace {

struct Reader {
  explicit Reader(const std::string& story) : session(host, "/program/", "/data/") {
    session.SetStory(story);
  }
  WebHost host;
  StorySession session;
  std::optional<SlotDialog> slot_dialog;  // while the page shows it
  std::string answer;                     // the last text handed to the page
};

Reader& Of(void* reader) {
  return *static_cast<Reader*>(reader);
}

}  // namespace
}  // namespace qvn

using qvn::Of;

extern "C" {

EMSCRIPTEN_KEEPALIVE void* qvn_create(const char* story_path) {
  // Relative picture and sound names are found in the story's folder.
  std::string path = story_path;
  std::string folder = path.substr(0, path.rfind('/') + 1);
  if (!folder.empty()) (void)chdir(folder.c_str());
  return std::make_unique<qvn::Reader>(path).release();
}

EMSCRIPTEN_KEEPALIVE void qvn_destroy(void* reader) {
  std::unique_ptr<qvn::Reader> owned(static_cast<qvn::Reader*>(reader));
  owned->session.CloseStory();
}

EMSCRIPTEN_KEEPALIVE void qvn_set_width(void* reader, int client_width, int cell_width) {
  Of(reader).host.SetWidth(client_width, cell_width);
}

EMSCRIPTEN_KEEPALIVE int qvn_bytes_per_row(void* reader) {
  return Of(reader).host.BytesPerRowNow();
}

// 1 when the story is open afterwards. An open that needs the slot dialog or
// the new-game prompt answered is abandoned: qvn_question says which (1 the
// slot dialog, 2 a variable); the page asks, gives the answer and opens again.
EMSCRIPTEN_KEEPALIVE int qvn_open(void* reader) {
  qvn::Reader& r = Of(reader);
  r.host.ClearQuestion();
  bool open = r.session.OpenStory();
  if (open || r.host.Asked() == qvn::WebHost::Question::kNone) r.host.ForgetAnswers();
  return open ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int qvn_reopen(void* reader) {
  qvn::Reader& r = Of(reader);
  r.host.ForgetAnswers();
  bool open = r.session.ReopenStory();
  if (open || r.host.Asked() == qvn::WebHost::Question::kNone) r.host.ForgetAnswers();
  return open ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int qvn_question(void* reader) {
  return static_cast<int>(Of(reader).host.Asked());
}

EMSCRIPTEN_KEEPALIVE void qvn_forget_answers(void* reader) {
  Of(reader).host.ForgetAnswers();
}

// The slot dialog: `action` 0 shows it (slot 1 selected), 1 selects `slot`,
// 2 presses erase (the first press asks, the second erases). Returns the
// selected slot's status as {"slot","caption","comment","fresh","damaged"}.
EMSCRIPTEN_KEEPALIVE const char* qvn_slot_dialog(void* reader, int action, int slot) {
  qvn::Reader& r = Of(reader);
  if (action == 0 || !r.slot_dialog) r.slot_dialog.emplace(r.session);
  if (action == 1) r.slot_dialog->Select(slot);
  if (action == 2) r.slot_dialog->PressErase();
  const qvn::SlotDialog& dialog = *r.slot_dialog;
  r.answer = "{\"slot\":" + std::to_string(dialog.SelectedSlot()) +
             ",\"caption\":" + qvn::JsonString(qvn::Cp932ToUtf8(dialog.Caption())) +
             ",\"comment\":" + qvn::JsonString(qvn::Cp932ToUtf8(dialog.Comment())) +
             ",\"fresh\":" + (dialog.Fresh() ? "true" : "false") +
             ",\"damaged\":" + (dialog.Damaged() ? "true" : "false") + "}";
  return r.answer.c_str();
}

EMSCRIPTEN_KEEPALIVE void qvn_slot_answer(void* reader, int slot) {
  qvn::Reader& r = Of(reader);
  r.slot_dialog.reset();
  if (slot >= 1 && slot <= 4) r.host.SetSlotAnswer(slot);
}

EMSCRIPTEN_KEEPALIVE const char* qvn_variable_question(void* reader) {
  return Of(reader).host.VariableQuestion().c_str();
}

// False when the prompt refuses the answer (empty, or beyond CP932).
EMSCRIPTEN_KEEPALIVE int qvn_variable_answer(void* reader, int number, const char* utf8) {
  return Of(reader).host.SetVariableAnswer(number, utf8) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE void qvn_close(void* reader) {
  Of(reader).session.CloseStory();
}

EMSCRIPTEN_KEEPALIVE int qvn_is_open(void* reader) {
  return Of(reader).session.IsOpen() ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int qvn_choice_count(void* reader) {
  const qvn::StorySession& session = Of(reader).session;
  return session.IsOpen() ? session.ChoiceCount() : 0;
}

// Choice k (1 to the count) of the page shown; anything else does nothing,
// as keys of choices not offered do nothing in QVN3.
EMSCRIPTEN_KEEPALIVE void qvn_select(void* reader, int k) {
  qvn::StorySession& session = Of(reader).session;
  if (!session.IsOpen() || session.IsRunning()) return;
  int count = session.ChoiceCount();
  if (k == 1 && count == 0) count = 1;  // "Next" at a page without choices
  if (k >= 1 && k <= count) session.SelectChoice(k);
}

EMSCRIPTEN_KEEPALIVE void qvn_temp_save(void* reader) {
  Of(reader).session.TempSave();
}

EMSCRIPTEN_KEEPALIVE int qvn_open_temp_save(void* reader) {
  return Of(reader).session.OpenTempSave() ? 1 : 0;
}

// The caption of the choice k shown: UTF-8.
EMSCRIPTEN_KEEPALIVE const char* qvn_choice_caption(void* reader, int k) {
  qvn::Reader& r = Of(reader);
  r.answer.clear();
  if (r.session.IsOpen() && k >= 1 && k <= r.session.ChoiceCount())
    r.answer = qvn::Cp932ToUtf8(r.session.Choice(k).caption);
  return r.answer.c_str();
}

// The about box: {"title":..., "version":...}, UTF-8.
EMSCRIPTEN_KEEPALIVE const char* qvn_about(void* reader) {
  qvn::Reader& r = Of(reader);
  r.answer =
      "{\"title\":" + qvn::JsonString(qvn::Cp932ToUtf8(r.session.State().title)) +
      ",\"version\":" + qvn::JsonString(qvn::Cp932ToUtf8(qvn::VersionText(r.session.Index()))) +
      "}";
  return r.answer.c_str();
}

// The slot file of slot 1 to 4, or the temporary save for 0, as the runtime
// names it now.
EMSCRIPTEN_KEEPALIVE const char* qvn_user_data_file(void* reader, int slot) {
  qvn::Reader& r = Of(reader);
  r.answer = slot >= 1 && slot <= 4 ? r.session.Location().SlotFile(slot)
                                    : r.session.Location().TempSaveFile();
  return r.answer.c_str();
}

}  // extern "C"
