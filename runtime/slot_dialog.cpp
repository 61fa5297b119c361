#include "runtime/slot_dialog.h"

#include "format/markers.h"
#include "format/user_data_file.h"
#include "platform/file_io.h"
#include "runtime/messages.h"
#include "runtime/story_error.h"
#include "runtime/story_session.h"
#include "runtime/story_trailer.h"
#include "runtime/user_data_file_io.h"
#include "runtime/user_data_text.h"

namespace qvn {

SlotDialog::SlotDialog(StorySession& session) : session_(session) {
  Select(1);
}

int SlotDialog::SelectedSlot() const {
  return session_.location_.active_slot;
}

void SlotDialog::Select(int slot) {
  if (slot < 1 || slot > 4) return;
  session_.location_.active_slot = slot;
  ShowStatus();
}

void SlotDialog::ShowStatus() {
  std::string path = session_.location_.SlotFile(SelectedSlot());
  Bytes text;
  FileResult read = ReadOwnFile(path, text, kMaxUserDataFileBytes);
  if (!read.ok) {
    // A link out of the folder may name a reader's secret: nothing of what
    // the slot showed before stays beside that name.
    if (read.reason == LinkOutOfFolderReason()) {
      caption_.clear();
      comment_ = messages::Unreadable();
    }
    session_.host_.ShowErrorBox(path, read.reason);
    return;
  }
  session_.erase_armed_ = false;
  damaged_ = !UserDataDamage(text).empty();
  if (damaged_) {
    // Nothing of a damaged file is shown: it is no title and no comment.
    caption_.clear();
    comment_ = messages::DamagedSlot();
    fresh_ = false;
    return;
  }
  std::vector<BytesView> lines = SplitTextLines(text);
  auto line = [&lines](std::size_t number) {
    return number <= lines.size() ? lines[number - 1] : BytesView();
  };
  caption_ = CutBytes(line(1), kMaxLineBytes);
  fresh_ = line(2) == kFreshSlotMarker;
  if (fresh_) {
    comment_ = messages::UnusedSlot();
  } else if (line(3) == kUnusedVariable && line(4) == kUnusedVariable) {
    comment_ = messages::SlotInUse();
  } else {
    comment_ = Bytes(line(3)) + ":" + Bytes(line(4));
  }
  session_.erase_armed_ = false;
}

void SlotDialog::PressErase() {
  if (!session_.erase_armed_) {
    comment_ = messages::EraseConfirm();
    session_.erase_armed_ = true;
    return;
  }
  if (EraseSelectedSlot()) ShowStatus();
}

bool SlotDialog::EraseSelectedSlot() {
  StoryState& state = session_.state_;
  try {
    StoryTrailer trailer = ReadStoryTrailer(session_.location_.StoryFile(".QVJ"),
                                            session_.location_.StoryFile(".QVN"));
    state.variables = trailer.variables;
    state.title = trailer.title;
  } catch (const StoryError& error) {
    session_.host_.ShowErrorBox(error.File(), error.what());
    return false;
  }
  std::string path = session_.location_.SlotFile(SelectedSlot());
  if (!WriteUserDataFile(path, FreshUserData(state.title, state.variables)).ok) {
    comment_ = messages::WriteFailure();
    return false;
  }
  return true;
}

Bytes VersionText(const BlockIndex& index) {
  std::int32_t version = index.FindBlock(kVersionMarker);
  if (version == kDefaultVersionCode || version == -1) return Bytes(messages::kCreditLine);
  std::string minor = std::to_string(version % 100);
  if (version > 20000) minor = "0" + minor;
  minor = minor.substr(0, 2);
  std::string major = std::to_string((version / 100) % 100);
  return messages::StoryVersion() + major + "." + minor;
}

}  // namespace qvn
