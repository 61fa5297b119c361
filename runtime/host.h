#pragma once
// Everything the runtime needs from the window that shows a story. The
// browser implements it with widgets, `qvn play` in a terminal, the tests
// with a recording fake. No call may throw.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "runtime/story_state.h"

namespace qvn {

class ProgramFile;
class SlotDialog;

// A program that a story asks to start ("EXE=" and the old form).
struct ProgramRequest {
  Bytes story_title;                  // CP932, as the story gives it
  std::string story_file;             // the compiled story's full path, links resolved;
                                      // empty when the story cannot be "always"
  std::vector<std::string> argv;      // argv[0]: the program's full path, an existing file
  bool outside_story_folder = false;  // given by an absolute path or lying outside the folder

  // Whether "always" may be offered and remembered.
  bool MayAlways() const { return !outside_story_folder && !story_file.empty(); }
};

// The reader's answer to a story that wants to start a program.
enum class ProgramAnswer {
  kDoNotStart,  // the default: also Escape and closing the question
  kStartOnce,
  kAlwaysForStory  // remembered for the story; never for a program outside its folder
};

enum class SoundDirective { kWave, kMusic };    // WAV=, BGM=
enum class BackgroundMode { kStretch, kTile };  // BAK=, TIL=

class Host {
 public:
  virtual ~Host() = default;

  // Choice controls. `ShowChoiceButtons` shows `count` controls (1: one
  // captioned "Next"; 2 to 6: captioned "A", "B", ...) and focuses the first.
  virtual void HideChoiceButtons() = 0;
  virtual void ShowChoiceButtons(int count) = 0;
  // No story open: the first control, captioned "開く", opens it again.
  virtual void ShowOpenButton() = 0;

  // A new page is ready: show `lines` from their top in the state's colours
  // and background.
  virtual void ResetPage(const std::vector<Bytes>& lines, const StoryState& state) = 0;
  // A line was added to the page shown (a jump error); it need not be drawn
  // before the next layout.
  virtual void PageLineAdded(BytesView line) = 0;

  virtual void SetBusy(bool busy) = 0;
  virtual void HideGraphicsWindow() = 0;
  // BMP=: `picture` as the story names it (resolve letter case when loading).
  virtual void ShowPicture(const std::filesystem::path& picture) = 0;
  // Loads the background picture; false leaves the previous one in place.
  virtual bool LoadBackground(const std::filesystem::path& picture) = 0;

  // Whether the sound options let a file of this kind play (".MID", ".WAV",
  // other; `file` exists).
  virtual bool SoundKindEnabled(const std::filesystem::path& file) = 0;
  // Stops what plays, then plays `file` (once, or looping for music). False
  // when the sound device refused it.
  virtual bool PlaySound(SoundDirective directive, const std::filesystem::path& file) = 0;
  // Stops the sound when one plays; otherwise nothing.
  virtual void StopSound() = 0;

  // Asks the reader whether the story may start the program (the story goes
  // on whatever the answer). Only asked when the reader's settings neither
  // forbid programs nor allow this one already.
  virtual ProgramAnswer AskToStartProgram(const ProgramRequest& request) = 0;
  // Starts `program`, the file the reader agreed to, held open since it was
  // checked, and forgets it; `argv[0]` is its path.
  virtual void StartProgram(const ProgramFile& program, const std::vector<std::string>& argv) = 0;

  // The slot dialog: lets the reader look at the four slots through `dialog`
  // (status, erase) and returns the slot chosen with OK, 1 to 4. nullopt only
  // when the reader's input has ended: the open is abandoned.
  virtual std::optional<int> ChooseSlot(SlotDialog& dialog) = 0;
  // The new-game prompt for variable `number` (1 to 9): `comment` asks for
  // it, `preset` is the default value. nullopt only when the reader's input
  // has ended.
  virtual std::optional<Bytes> AskVariable(int number, BytesView comment, BytesView preset) = 0;

  // The write-failure notice ("ユーザーデータ書込み不能").
  virtual void ShowWriteFailure(BytesView message) = 0;
  // The error box: the file concerned (may be empty) and the reason, UTF-8.
  virtual void ShowErrorBox(const std::string& file, const std::string& reason) = 0;

  // Window decorations of an open story.
  virtual void SetCaption(BytesView caption) = 0;
  virtual void BalanceWindow() = 0;  // the 4:3 proportion of the text area
  virtual void EnableTempSaveCommands(bool temp_save, bool open_temp_save) = 0;
};

}  // namespace qvn
