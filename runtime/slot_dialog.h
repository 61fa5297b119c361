#pragma once
// The logic of the slot dialog shown while a story opens: the status of the
// selected slot and the erase with its confirming second press; and the
// version text of the about box.
#include "common/bytes.h"
#include "runtime/block_index.h"

namespace qvn {

class StorySession;

// What a slot file shows in the dialog.
struct SlotSummary {
  Bytes caption;  // the slot's title
  Bytes comment;
  bool fresh = false;
  bool damaged = false;
};

class SlotDialog {
 public:
  // Selects slot 1 and shows its status.
  explicit SlotDialog(StorySession& session);

  // Selects slot `slot` (1 to 4) and reads its status. A file that cannot be
  // read shows the error box and keeps the previous caption and comment.
  void Select(int slot);
  // The erase button: the first press asks for confirmation, the second
  // rewrites the slot as fresh.
  void PressErase();

  int SelectedSlot() const;
  bool Fresh() const { return fresh_; }
  // The selected file is no slot file: it cannot be loaded, only erased.
  bool Damaged() const { return damaged_; }
  const Bytes& Caption() const { return caption_; }  // the slot's title
  const Bytes& Comment() const { return comment_; }
  // Slot `slot`'s caption and status, read without selecting it and without
  // an error box: a file that cannot be read shows "読めません".
  SlotSummary PeekSlot(int slot) const;

 private:
  void ShowStatus();
  bool EraseSelectedSlot();

  StorySession& session_;
  Bytes caption_;
  Bytes comment_;
  bool fresh_ = false;
  bool damaged_ = false;
};

// The about box's comment for a story: its version, or the credit line when
// the story has none.
Bytes VersionText(const BlockIndex& index);

}  // namespace qvn
