// Opening, closing and reopening a story: the user-data folder, the slot
// dialog, the new-game prompt and the first block.
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>

#include "format/markers.h"
#include "platform/file_io.h"
#include "platform/file_names.h"
#include "runtime/directives.h"
#include "runtime/messages.h"
#include "runtime/slot_dialog.h"
#include "runtime/story_error.h"
#include "runtime/story_session.h"
#include "runtime/story_trailer.h"
#include "runtime/user_data_file_io.h"
#include "runtime/user_data_text.h"

namespace qvn {

namespace {

constexpr const char* kProbeFile = "$$QVNTMP.$$$";
constexpr BytesView kCaptionSuffix = " (QVN3)";
constexpr std::size_t kPromptBytes = 32;

// Creates the empty probe file (left in place) to learn whether the folder
// can be written.
bool CreateProbe(const std::string& folder, const std::string& path) {
  if (folder.empty() || !IsWritableFolder(folder)) return false;
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  return ::close(fd) == 0;
}

}  // namespace

StorySession::StorySession(Host& host, std::string program_folder, std::string fallback_folder)
    : host_(host) {
  location_.program_folder = std::move(program_folder);
  location_.fallback_folder = std::move(fallback_folder);
}

void StorySession::SetStory(const std::string& story_path) {
  location_.SetStory(story_path);
}

void StorySession::ChooseUserDataFolder() {
  // Slots are rewritten through a temporary file and a rename, so both the
  // first slot and its folder must be writable.
  std::string first_slot = location_.StoryFile(StoryLocation::SlotExtension(1));
  if (IsWritableFile(first_slot) && IsWritableFolder(location_.story_folder)) {
    location_.user_data_folder = location_.story_folder;
  } else {
    location_.user_data_folder = location_.program_folder;
    if (!CreateProbe(location_.program_folder, location_.program_folder + kProbeFile)) {
      location_.user_data_folder = location_.StoryFallbackFolder();
      std::error_code ec;
      std::filesystem::create_directories(location_.user_data_folder, ec);
      AdoptSharedFallbackFiles();
    }
    CopyMissingSlotFiles();
  }
  // Saves killed half-way leave their temporary files; no save of this story
  // runs now.
  for (int slot = 1; slot <= 4; ++slot) RemoveStaleTemporaryFiles(location_.SlotFile(slot));
  RemoveStaleTemporaryFiles(location_.TempSaveFile());
}

void StorySession::AdoptSharedFallbackFiles() {
  // Earlier editions kept the user data of every story of one base name in
  // the same files; a file moves to this story's folder only when its title
  // shows that it belongs to this story.
  std::vector<std::string> extensions;
  for (int slot = 1; slot <= 4; ++slot) extensions.push_back(StoryLocation::SlotExtension(slot));
  extensions.push_back(StoryLocation::kTempSaveExtension);
  std::optional<Bytes> title;
  for (const std::string& extension : extensions) {
    std::string shared = location_.fallback_folder + location_.base_name + extension;
    std::optional<fs::path> old_file = ResolveExisting(shared);
    if (!old_file || FileExists(location_.UserDataFile(extension))) continue;
    if (!title) {
      try {
        title = ReadStoryTrailer(location_.StoryFile(".QVJ"), location_.StoryFile(".QVN")).title;
      } catch (const StoryError&) {
        return;  // without the story's title nothing can be told apart
      }
    }
    Bytes text;
    if (!ReadOwnFile(*old_file, text, kMaxUserDataFileBytes).ok) continue;
    std::vector<BytesView> lines = SplitTextLines(text);
    if (lines.empty() || CutBytes(lines[0], kMaxLineBytes) != *title) continue;
    std::error_code ec;
    std::filesystem::rename(*old_file, location_.user_data_folder + location_.base_name + extension,
                            ec);
  }
}

void StorySession::CopyMissingSlotFiles() {
  // Each slot on its own, at every open: a copy interrupted after some of the
  // four files is completed by the next open.
  for (int slot = 1; slot <= 4; ++slot) {
    if (FileExists(location_.SlotFile(slot))) continue;
    std::string source = location_.StoryFile(StoryLocation::SlotExtension(slot));
    Bytes text;
    // A slot that links out of the story folder is never read, so never
    // copied where the reader's files are.
    FileResult read = ReadOwnFile(source, text, kMaxUserDataFileBytes);
    if (!read.ok) throw StoryError(source, read.reason);
    StoryState copy;
    std::string damage = ParseUserData(text, index_, copy);
    if (!damage.empty()) throw StoryError(source, damage);
    // The copy keeps the file's own resume marker.
    if (!WriteUserDataFile(location_.SlotFile(slot), FormatUserData(copy, copy.resume)).ok)
      host_.ShowWriteFailure(messages::WriteFailure());
  }
}

bool StorySession::AskNewGameVariables() {
  for (int number = 1; number <= kVariableCount; ++number) {
    StringVariable& variable = state_.variables[number - 1];
    if (variable.label == kUnusedVariable) continue;
    Bytes comment = CutBytes(variable.label + messages::EnterVariable(), kPromptBytes);
    for (;;) {
      std::optional<Bytes> answer = host_.AskVariable(number, comment, variable.value);
      if (!answer) return false;
      if (answer->empty()) continue;
      variable.value = CutBytes(*answer, kMaxVariableBytes);
      break;
    }
  }
  if (index_.Count() > 0) {
    state_.position_name = Bytes(index_.Record(1).Name());
    state_.position_offset = index_.Record(1).value;
  } else {
    state_.position_name.clear();
    state_.position_offset = -1;
  }
  return true;
}

bool StorySession::OpenStory() {
  if (running_ || !location_.HasStory()) return false;
  if (open_) CloseStoryNow();
  ended_ = false;
  try {
    ChooseUserDataFolder();
    SlotDialog dialog(*this);
    std::optional<int> slot = host_.ChooseSlot(dialog);
    if (!slot) {
      host_.ShowOpenButton();
      return false;
    }
    if (*slot != dialog.SelectedSlot()) dialog.Select(*slot);
    bool fresh = dialog.Fresh();
    LoadIndex(location_.StoryFile(".QVJ"), index_);
    LoadUserData(location_.SlotFile(location_.active_slot));
    if (fresh && !AskNewGameVariables()) {
      host_.ShowOpenButton();
      return false;
    }
    if (!state_.background_spec.empty()) {
      host_.LoadBackground(
          ExpandStoryPath(BytesView(state_.background_spec).substr(1), location_.story_folder));
    }
    body_.Open(location_.StoryFile(".QVN"));
    open_ = true;
  } catch (const StoryError& error) {
    FailOpen(error.File(), error.what());
    return false;
  }
  host_.BalanceWindow();
  host_.EnableTempSaveCommands(true, FileExists(location_.TempSaveFile()));
  if (!RunBlock(state_.position_offset)) return false;
  host_.SetCaption(state_.title + Bytes(kCaptionSuffix));
  return open_;
}

void StorySession::FailOpen(const std::string& file, const std::string& reason) {
  body_.Close();
  open_ = false;
  host_.ShowOpenButton();
  host_.ShowErrorBox(file, reason);
}

void StorySession::CloseStory() {
  // Closing under a running block would pull the body from under it.
  if (running_) return;
  CloseStoryNow();
}

void StorySession::CloseStoryNow() {
  if (open_) {
    body_.Close();
    SaveUserData(location_.SlotFile(location_.active_slot));
    open_ = false;
  }
  host_.ShowOpenButton();
}

bool StorySession::ReopenStory() {
  if (running_ || !location_.HasStory()) return false;
  host_.StopSound();
  CloseStory();
  return OpenStory();
}

}  // namespace qvn
