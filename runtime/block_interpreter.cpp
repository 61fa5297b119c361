// Playing one block: prologue, silent jumps, page text and directives, then
// the end of the story, the choices or the jump to the next block.
#include "format/markers.h"
#include "runtime/block_walk.h"
#include "runtime/directives.h"
#include "runtime/messages.h"
#include "runtime/story_error.h"
#include "runtime/story_session.h"
#include "runtime/variable_substitution.h"

namespace qvn {

namespace {

constexpr std::size_t kJumpErrorBytes = 29;

char FirstByte(BytesView record) {
  return record.empty() ? '\0' : record[0];
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

// The session's side of a block: the page, directives, sounds and controls.
struct StorySession::PageSteps {
  StorySession& session;
  long silent_jumps = 0;
  bool next_only = false;
  int page_text_colour = kDefaultColour;
  int page_background_colour = kDefaultColour;

  bool SilentJump(std::int32_t offset) {
    if (offset < 0) {
      session.AddJumpError(session.state_.position_name);
      return false;
    }
    if (++silent_jumps >= kMaxSilentJumps) {
      // Blocks that only jump to each other in a circle would never show a
      // page; stop where the chain stands and leave the story open.
      session.AddJumpError(session.state_.position_name);
      return false;
    }
    return true;
  }
  void PageStarts() { session.page_lines_.clear(); }
  void Content(BytesView record) {
    if (FirstByte(record) == '>') {
      DirectiveContext directives{session.state_,
                                  session.host_,
                                  session.location_.story_folder,
                                  session.options_.old_program_form,
                                  session.options_.programs,
                                  session.location_};
      ApplyDirective(record, directives);
    } else {
      session.page_lines_.push_back(SubstituteVariables(record, session.state_.variables));
    }
  }
  void PageEnds() {
    // The end of the story resets the colours after this: the page keeps them.
    page_text_colour = session.state_.text_colour;
    page_background_colour = session.state_.background_colour;
    if (session.state_.current_sound.empty()) session.host_.StopSound();
    if (!session.state_.music_mark) session.state_.current_sound.clear();
    session.choice_count_ = 0;
    session.host_.HideChoiceButtons();
  }
  void EndOfStory() {
    session.CloseStoryNow();
    session.ended_ = true;
  }
  void Choice(int, BytesView caption, Bytes target) {
    ChoiceEntry& entry = session.choices_[session.choice_count_++];
    entry.caption = SubstituteVariables(caption, session.state_.variables);
    entry.target = std::move(target);
  }
  void HiddenChoice(int) {}
  void Next(Bytes target) {
    session.choices_[0] = ChoiceEntry{Bytes(), std::move(target)};
    session.choice_count_ = 1;
    next_only = true;
  }
};

void StorySession::InterpretBlock(std::int32_t offset) {
  state_.previous_sound = state_.current_sound;
  state_.current_sound.clear();
  state_.background_spec.clear();
  host_.HideGraphicsWindow();

  PageSteps steps{*this};
  BlockEnd end = WalkBlock(body_, index_, state_, offset, steps);
  if (end == BlockEnd::kStopped) return;
  if (end == BlockEnd::kChoices) ShowChoices(steps.next_only);
  if (end == BlockEnd::kEndOfStory) {
    // The last page in the colours its block set; the state keeps the reset.
    StoryState drawn = state_;
    drawn.text_colour = steps.page_text_colour;
    drawn.background_colour = steps.page_background_colour;
    host_.ResetPage(page_lines_, drawn);
    return;
  }
  host_.ResetPage(page_lines_, state_);
}

void StorySession::ShowChoices(bool next_only) {
  // "Next" alone (no choice offered) adds no line.
  if (next_only) {
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

}  // namespace qvn
