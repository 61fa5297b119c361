#pragma once
// The shape of a compiled story read without playing it: for each block
// whether it jumps silently or ends the story, its choices with their
// captions, and every named way out of it (choice targets, jump lines and
// target lines) with the condition in front of it. The graph draws it; the
// explorer names the choices it never saw offered and tells an orphan block
// from one whose ways in never open.
#include <cstdint>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "runtime/block_index.h"

namespace qvn {

struct OutlineChoice {
  int ordinal = 0;  // 1 for the block's first choice
  Bytes condition;  // the "?" record
  Bytes caption;
};

enum class WayKind { kChoice, kNext, kSilent };

struct OutlineWay {
  WayKind kind = WayKind::kNext;
  int choice = 0;   // ordinal of the choice it belongs to, 0 for none
  Bytes condition;  // the jump line's condition ("?..."), empty for a target line
  Bytes target;     // at most 8 bytes
};

struct OutlineBlock {
  std::size_t record = 0;  // its index record, from 1
  Bytes name;
  std::int32_t offset = 0;
  bool silent = false;      // "@NOWAIT"
  bool ends_story = false;  // its page (or a guarded "/") ends the story
  bool damaged = false;     // its records run past the end of the body
  std::vector<OutlineChoice> choices;
  std::vector<OutlineWay> ways;
};

struct StoryOutline {
  std::vector<OutlineBlock> blocks;  // index order; blocks[0] is the start block
  // Flags and counters some "!" record can change; all others keep their
  // new-game value (clear, 'A') for ever.
  std::vector<int> changed_flags;
  std::vector<char> changed_counters;
};

// Reads the outline of `body` under `index` (index records whose names do not
// begin with "QVN" are the blocks). Never throws: what cannot be read is
// marked damaged.
StoryOutline ReadOutline(BytesView body, const BlockIndex& index);

}  // namespace qvn
