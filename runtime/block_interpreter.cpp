// Playing one block: prologue, silent jumps, page text and directives, then
// the end of the story, the choices or the jump to the next block.
#include "format/markers.h"
#include "runtime/directives.h"
#include "runtime/flag_operations.h"
#include "runtime/jump_list.h"
#include "runtime/messages.h"
#include "runtime/story_error.h"
#include "runtime/story_session.h"
#include "runtime/variable_substitution.h"

namespace qvn {

namespace {

constexpr BytesView kNoWait = "@NOWAIT";
constexpr BytesView kEndOfList = "?END";
constexpr BytesView kEndOfStory = "/";
constexpr std::size_t kJumpErrorBytes = 29;
constexpr int kFlagsClearedAtEnd = 500;
constexpr int kCountersResetAtEnd = 3;

char FirstByte(BytesView record) {
  return record.empty() ? '\0' : record[0];
}

bool IsPrologueRecord(BytesView record) {
  char first = FirstByte(record);
  return first == '!' || first == '?';
}

// Busy pointer and re-entry guard for the length of one RunBlock.
class RunningScope {
 public:
  RunningScope(bool& running, Host& host) : running_(running), host_(host) {
    running_ = true;
    host_.SetBusy(true);
  }
  ~RunningScope() {
    host_.SetBusy(false);
    running_ = false;
  }

 private:
  bool& running_;
  Host& host_;
};

}  // namespace

void StorySession::SelectChoice(int k) {
  if (!open_ || running_ || k < 1 || k > choice_count_) return;
  state_.position_name = CutBytes(choices_[k - 1].target, kMaxBlockNameBytes);
  state_.position_offset = index_.FindBlock(state_.position_name);
  if (state_.current_sound.empty()) host_.StopSound();
  RunBlock(state_.position_offset);
}

bool StorySession::RunBlock(std::int32_t offset) {
  // A choice delivered while a block runs (a host may let window events
  // through while it shows a picture) is dropped.
  if (running_ || !open_) return true;
  if (offset < 0) {
    AddJumpError(state_.position_name);
    return true;
  }
  RunningScope scope(running_, host_);
  try {
    InterpretBlock(offset);
  } catch (const StoryError& error) {
    FailPlay(error.File().empty() ? location_.StoryFile(".QVN") : error.File(), error.what());
    return false;
  }
  return true;
}

void StorySession::AddJumpError(BytesView name) {
  Bytes line = CutBytes(Bytes(messages::kJumpAddressError) + Bytes(name), kJumpErrorBytes);
  page_lines_.push_back(line);
  host_.PageLineAdded(line);
}

void StorySession::FailPlay(const std::string& file, const std::string& reason) {
  body_.Close();
  open_ = false;
  choice_count_ = 0;
  host_.HideChoiceButtons();
  host_.ShowOpenButton();
  host_.ShowErrorBox(file, reason);
}

void StorySession::InterpretBlock(std::int32_t offset) {
  state_.previous_sound = state_.current_sound;
  state_.current_sound.clear();
  state_.background_spec.clear();
  host_.HideGraphicsWindow();

  BytesView record;
  for (long silent_jumps = 0;; ++silent_jumps) {
    body_.SeekBlock(offset);
    record = body_.ReadRecord();
    if (state_.resume) {
      // A condition is passed over together with the record it guards: a
      // guarded "/" was not taken when the save was made (taking it ends the
      // story and saves the start block), so it must not end the story now.
      while (IsPrologueRecord(record)) {
        if (record[0] == '?') body_.ReadRecord();
        record = body_.ReadRecord();
      }
      state_.resume = false;
    } else {
      while (IsPrologueRecord(record)) {
        if (record[0] == '?') {
          if (!EvaluateCondition(record, state_)) body_.ReadRecord();
        } else {
          ApplyFlagRecord(record, state_);
        }
        record = body_.ReadRecord();
      }
    }
    if (record != kNoWait) break;

    body_.ReadRecord();  // the "?END" that always follows
    state_.position_name = ReadJumpList(body_, state_);
    offset = index_.FindBlock(state_.position_name);
    state_.position_offset = offset;
    if (offset < 0) {
      AddJumpError(state_.position_name);
      return;
    }
    if (silent_jumps + 1 >= kMaxSilentJumps) {
      // Blocks that only jump to each other in a circle would never show a
      // page; stop where the chain stands and leave the story open.
      AddJumpError(state_.position_name);
      return;
    }
  }

  page_lines_.clear();
  DirectiveContext directives{state_, host_, location_.story_folder, options_.old_program_form};
  while (FirstByte(record) != '?' && record != kEndOfStory) {
    if (FirstByte(record) == '>')
      ApplyDirective(record, directives);
    else
      page_lines_.push_back(SubstituteVariables(record, state_.variables));
    record = body_.ReadRecord();
  }

  if (state_.current_sound.empty()) host_.StopSound();
  if (!state_.music_mark) state_.current_sound.clear();

  choice_count_ = 0;
  host_.HideChoiceButtons();
  if (record == kEndOfStory)
    EndOfStory();
  else
    ReadChoices(record);
  host_.ResetPage(page_lines_, state_);
}

void StorySession::ReadChoices(BytesView record) {
  while (choice_count_ < kMaxChoices && record != kEndOfList) {
    if (EvaluateCondition(record, state_)) {
      ChoiceEntry& entry = choices_[choice_count_++];
      entry.caption = SubstituteVariables(body_.ReadRecord(), state_.variables);
      entry.target = ReadJumpList(body_, state_);
    } else {
      body_.ReadRecord();
      ReadJumpList(body_, state_);
    }
    record = body_.ReadRecord();
  }
  if (choice_count_ == 0) {
    // Every choice hidden, or none: the records after "?END" give "Next".
    choices_[0] = ChoiceEntry{Bytes(), ReadJumpList(body_, state_)};
    choice_count_ = 1;
  } else if (choice_count_ == 1) {
    page_lines_.push_back(
        CutBytes(messages::IdeographicSpace() + choices_[0].caption, kMaxLineBytes));
  } else {
    page_lines_.push_back(" ");
    for (int k = 0; k < choice_count_; ++k) {
      Bytes line = " ";
      line.push_back(static_cast<char>('A' + k));
      line += ": " + choices_[k].caption;
      page_lines_.push_back(CutBytes(line, kMaxLineBytes));
    }
  }
  host_.ShowChoiceButtons(choice_count_);
}

void StorySession::EndOfStory() {
  for (int flag = 1; flag <= kFlagsClearedAtEnd; ++flag) state_.flags[flag] = 0;
  for (int counter = 0; counter < kCountersResetAtEnd; ++counter) state_.counters[counter] = 'A';
  state_.position_name = index_.Count() > 0 ? Bytes(index_.Record(1).Name()) : Bytes();
  state_.position_offset = index_.FindBlock(kTrailerMarker);
  state_.background_colour = kDefaultColour;
  state_.text_colour = kDefaultColour;
  state_.current_sound.clear();
  CloseStoryNow();
  ended_ = true;
}

}  // namespace qvn
