#pragma once
// What a reader can reach: a breadth-first walk over the states of a story
// from a new game, each state the block about to be shown with the flags and
// counters the story can change. Every block is played by the runtime's own
// walk (block_walk.h), so the answers are the browser's. An end of story
// leads on to the restart it causes, so what a second play unlocks counts;
// a jump to a missing block leaves the reader on the page before it, with
// its choices still offered, and the walk goes on from there as well.
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/story_outline.h"
#include "common/bytes.h"
#include "runtime/block_index.h"

namespace qvn {

inline constexpr std::uint64_t kDefaultMaxStates = 5'000'000;

// The keys of `qvn play --choose` that lead there from a new game, one
// character a key: 'A' to 'F' for a choice, kEnterKey for "Next" (a page with
// one control), kReopenKey for opening the story again after its end.
using KeyPath = std::string;
inline constexpr char kEnterKey = '.';
inline constexpr char kReopenKey = 'r';

// "A,,B": the form `--choose` takes.
std::string ChooseArgument(const KeyPath& keys);

struct ReachedEnding {
  Bytes block;
  KeyPath keys;
};

struct ReachedJumpError {
  Bytes block;   // the block holding the jump
  Bytes target;  // the name that is not in the index
  KeyPath keys;  // the last key takes the jump
};

struct ReachedCircle {
  Bytes block;  // the first block of the circle the reader comes to
  KeyPath keys;
};

// Story data the runtime cannot play (the browser shows its error box).
struct ReachedPlayError {
  Bytes block;
  std::string reason;  // UTF-8
  KeyPath keys;
};

enum class UnreachedReason {
  kNoWayIn,       // no choice, jump line or target line names it
  kClosedWaysIn,  // every way to it stands behind conditions that never hold
  kNotExplored,   // the walk stopped at its limit before it came there
};

struct UnreachedBlock {
  Bytes block;
  UnreachedReason reason;
};

struct NeverShownChoice {
  Bytes block;
  int choice = 0;  // its number among the block's choices, from 1
  Bytes caption;
};

struct Exploration {
  std::size_t blocks = 0;
  // The string variables (1 to 9) a new game cannot take from the story's
  // defaults: a replay must answer them.
  std::vector<int> variables_without_default;
  std::vector<Bytes> reached;  // index order
  std::vector<UnreachedBlock> unreached;
  std::vector<ReachedEnding> endings;  // in the order found: shortest first
  std::vector<ReachedJumpError> jump_errors;
  std::vector<ReachedCircle> silent_circles;
  std::vector<ReachedPlayError> play_errors;
  std::vector<NeverShownChoice> never_shown_choices;
  std::uint64_t states = 0;
  bool complete = true;
  // Memory held for the states: the fingerprint set, the way back to each
  // state and, at its largest, the queue of states still to play.
  std::size_t state_bytes = 0;

  // Blocks the walk did not come to before its limit are no problem: they
  // may well be reached.
  bool FoundProblems() const {
    for (const UnreachedBlock& block : unreached)
      if (block.reason != UnreachedReason::kNotExplored) return true;
    return !jump_errors.empty() || !silent_circles.empty() || !never_shown_choices.empty() ||
           !play_errors.empty();
  }
};

// The arguments of `qvn play` (before STORY) that replay `keys` from a fresh
// slot 1: "--slot=1", a "--var=N=x" for each variable without a default and
// "--choose=..." ("--choose=q" for the first page alone).
std::vector<std::string> ReplayArguments(const Exploration& exploration, const KeyPath& keys);

// Explores the story whose body bytes are `body` and whose index is `index`
// from a new game, keeping at most `max_states` states. Never throws.
// `cancel`, when given and set, stops the walk as the limit does.
Exploration ExploreStory(BytesView body, const BlockIndex& index,
                         std::uint64_t max_states = kDefaultMaxStates,
                         const std::atomic<bool>* cancel = nullptr);

}  // namespace qvn
