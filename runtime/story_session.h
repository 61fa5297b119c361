#pragma once
// One story shown in one window: its files, index, body and the reader's
// progress, the page and the choices, and the operations the window calls.
// Every failure is handled here and shown through the host; nothing throws
// out of these calls.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "runtime/block_index.h"
#include "runtime/block_walk.h"
#include "runtime/host.h"
#include "runtime/program_permissions.h"
#include "runtime/story_body.h"
#include "runtime/story_location.h"
#include "runtime/story_state.h"

namespace qvn {

struct ChoiceEntry {
  Bytes caption;
  Bytes target;
};

struct RuntimeOptions {
  bool old_program_form = false;  // ">" records of no known key start a program
  ProgramPermissions programs;    // which programs start, asked or not
};

class StorySession {
 public:
  // `program_folder` holds the probe file and, for stories in read-only
  // folders, their user data; `fallback_folder` is used when that cannot be
  // written either. Both end with "/".
  StorySession(Host& host, std::string program_folder, std::string fallback_folder);

  // Names the story by its compiled file (any extension); opens nothing.
  void SetStory(const std::string& story_path);

  // The opening calls return true when a story is open afterwards. Closing
  // saves the progress into the slot chosen at open; the calls do nothing
  // while a block runs (the host must not close the story from inside one).
  bool OpenStory();
  void CloseStory();
  bool ReopenStory();
  // Writes the temporary save while a story is open, and also after its end
  // (the window keeps the command enabled): then the state the end left.
  void TempSave();
  bool OpenTempSave();

  // Takes choice k (1 to the choice count) of the page shown.
  void SelectChoice(int k);
  // Plays the block at `offset` of the story body. False when story data that
  // cannot be played ended it (the error box was shown, the story closed).
  bool RunBlock(std::int32_t offset);

  bool IsOpen() const { return open_; }
  bool IsRunning() const { return running_; }
  const StoryState& State() const { return state_; }
  StoryState& MutableState() { return state_; }
  const BlockIndex& Index() const { return index_; }
  const StoryLocation& Location() const { return location_; }
  const std::vector<Bytes>& PageLines() const { return page_lines_; }
  int ChoiceCount() const { return choice_count_; }
  const ChoiceEntry& Choice(int k) const { return choices_[k - 1]; }
  RuntimeOptions& Options() { return options_; }

  // Writes the reader's progress; a failure shows the write-failure notice
  // and leaves the old file as it was.
  bool SaveUserData(const std::string& path);

 private:
  friend class SlotDialog;

  // Throws StoryError; the calling operation shows the error box.
  void LoadUserData(const std::string& path);
  void CloseStoryNow();
  void ChooseUserDataFolder();
  void AdoptSharedFallbackFiles();
  void CopyMissingSlotFiles();
  bool AskNewGameVariables();
  void OpenSteps();
  struct PageSteps;  // the session's side of WalkBlock
  void InterpretBlock(std::int32_t offset);
  void ShowChoices(bool next_only);
  void AddJumpError(BytesView name);
  void FailOpen(const std::string& file, const std::string& reason);
  // Story data that cannot be played: the story closes without saving, so the
  // slot keeps its last good state.
  void FailPlay(const std::string& file, const std::string& reason);

  Host& host_;
  StoryLocation location_;
  BlockIndex index_;
  StoryBody body_;
  StoryState state_;
  RuntimeOptions options_;
  std::vector<Bytes> page_lines_;
  std::array<ChoiceEntry, kMaxChoices> choices_;
  int choice_count_ = 0;
  bool open_ = false;
  bool running_ = false;
  bool ended_ = false;  // closed by its end of story: the state is whole
  bool erase_armed_ = false;
};

}  // namespace qvn
