// The temporary save: a fifth user data file beside the slots that the reader
// writes and reopens by command; later saves still go to the chosen slot.
#include "runtime/story_error.h"
#include "runtime/story_session.h"

namespace qvn {

void StorySession::TempSave() {
  if (!(open_ || ended_) || running_) return;
  SaveUserData(location_.TempSaveFile());
  host_.EnableTempSaveCommands(true, FileExists(location_.TempSaveFile()));
}

bool StorySession::OpenTempSave() {
  if (running_ || !location_.HasStory() || location_.user_data_folder.empty()) return false;
  host_.StopSound();
  CloseStory();
  ended_ = false;
  try {
    LoadIndex(location_.StoryFile(".QVJ"), index_);
    LoadUserData(location_.TempSaveFile());
    body_.Open(location_.StoryFile(".QVN"));
    open_ = true;
  } catch (const StoryError& error) {
    FailOpen(error.File(), error.what());
    return false;
  }
  RunBlock(state_.position_offset);
  return open_;
}

}  // namespace qvn
