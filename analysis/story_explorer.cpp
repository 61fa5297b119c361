#include "analysis/story_explorer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <iterator>
#include <limits>
#include <set>
#include <utility>

#include "analysis/fingerprint_set.h"
#include "format/markers.h"
#include "runtime/block_walk.h"
#include "runtime/story_error.h"

namespace qvn {

namespace {

constexpr std::uint32_t kNoParent = 0xFFFFFFFF;
constexpr int kCounterBits = 5;  // 'A' to 'Z' as 0 to 25
constexpr int kTrackedChoices = 64;
constexpr std::size_t kShortChain = 32;
constexpr std::size_t kQueueCompaction = 1 << 16;

// A bijection of 64-bit words that spreads every input bit over the output
// (the finaliser of SplitMix64): a state that fits one word keeps its own
// fingerprint, so such stories are explored without any collision.
std::uint64_t Mix(std::uint64_t x) {
  x ^= x >> 30;
  x *= 0xbf58476d1ce4e5b9ULL;
  x ^= x >> 27;
  x *= 0x94d049bb133111ebULL;
  x ^= x >> 31;
  return x;
}

// Where each part of a state lies in its packed words: the place (the index
// record whose block is about to be played), then one bit per flag the story
// can change, then five bits per counter.
class StateLayout {
 public:
  StateLayout(const StoryOutline& outline, std::size_t places) : flags_(outline.changed_flags) {
    for (char counter : outline.changed_counters) counters_.push_back(counter - 'A');
    place_bits_ = std::max(1, static_cast<int>(std::bit_width(places)));
    int bits = place_bits_ + static_cast<int>(flags_.size()) +
               kCounterBits * static_cast<int>(counters_.size());
    words_ = static_cast<std::size_t>((bits + 63) / 64);
  }

  std::size_t Words() const { return words_; }

  // The flags and counters alone, the place's bits left clear.
  void PackVariables(const StoryState& state, std::uint64_t* out) const {
    std::fill(out, out + words_, 0);
    int bit = place_bits_;
    for (int flag : flags_) Put(out, bit, state.flags[flag], 1);
    for (int counter : counters_)
      Put(out, bit, static_cast<std::uint32_t>(state.counters[counter] - 'A'), kCounterBits);
  }

  // Packed variables and a place.
  void WithPlace(const std::uint64_t* variables, std::size_t place, std::uint64_t* out) const {
    std::copy_n(variables, words_, out);
    out[0] |= place;
  }

  // Sets the changeable flags and counters of `state`; returns the place.
  std::size_t Unpack(const std::uint64_t* in, StoryState& state) const {
    int bit = 0;
    auto place = static_cast<std::size_t>(Get(in, bit, place_bits_));
    for (int flag : flags_) state.flags[flag] = static_cast<std::uint8_t>(Get(in, bit, 1));
    for (int counter : counters_)
      state.counters[counter] = static_cast<char>('A' + Get(in, bit, kCounterBits));
    return place;
  }

  std::uint64_t Fingerprint(const std::uint64_t* words) const {
    std::uint64_t fingerprint = Mix(words[0]);
    for (std::size_t i = 1; i < words_; ++i) fingerprint = Mix(fingerprint ^ Mix(words[i] + i));
    return fingerprint;
  }

 private:
  static void Put(std::uint64_t* out, int& bit, std::uint64_t value, int width) {
    out[bit / 64] |= value << (bit % 64);
    if (bit % 64 + width > 64) out[bit / 64 + 1] |= value >> (64 - bit % 64);
    bit += width;
  }
  static std::uint64_t Get(const std::uint64_t* in, int& bit, int width) {
    std::uint64_t value = in[bit / 64] >> (bit % 64);
    if (bit % 64 + width > 64) value |= in[bit / 64 + 1] << (64 - bit % 64);
    bit += width;
    return width == 64 ? value : value & ((std::uint64_t{1} << width) - 1);
  }

  std::vector<int> flags_;
  std::vector<int> counters_;
  int place_bits_ = 14;
  std::size_t words_ = 1;
};

// What was seen of one place (index record) while exploring.
struct PlaceFindings {
  bool reached = false;
  bool page_shown = false;
  bool ending = false;
  bool circle = false;
  bool play_error = false;
  std::uint64_t shown_choices = 0;
};

// The choices a page offers, each with the key that takes it.
struct OfferedWay {
  char key;
  Bytes target;
};

// The key of the `offered`-th offered choice (0 for "Next") on a page of
// `count` controls: Enter for a single control, else its letter.
char KeyOf(int offered, int count) {
  return offered == 0 || count == 1 ? kEnterKey : static_cast<char>('A' + offered - 1);
}

// A reader pressing keys, on the runtime's own walk, for the page a jump to a
// missing block leaves offered.
struct ReplaySteps {
  std::vector<std::pair<int, Bytes>> ways;  // letter number (0 for "Next"), target
  int offered = 0;
  long silent_jumps = 0;

  bool SilentJump(std::int32_t offset) { return offset >= 0 && ++silent_jumps < kMaxSilentJumps; }
  void PageStarts() {}
  void Content(BytesView) {}
  void PageEnds() {}
  void EndOfStory() {}
  void Choice(int, BytesView, Bytes target) { ways.emplace_back(++offered, std::move(target)); }
  void HiddenChoice(int) {}
  void Next(Bytes target) { ways.emplace_back(0, std::move(target)); }

  std::vector<OfferedWay> Table() const {
    std::vector<OfferedWay> table;
    for (const auto& [number, target] : ways) table.push_back({KeyOf(number, offered), target});
    return table;
  }
};

class Explorer {
 public:
  Explorer(BytesView body, const BlockIndex& index, std::uint64_t max_states,
           const std::atomic<bool>* cancel)
      : cancel_(cancel),
        index_(index),
        outline_(ReadOutline(body, index)),
        layout_(outline_, index.Count()),
        max_states_(max_states),
        findings_(index.Count() + 1) {
    body_.Assign(Bytes(body), {});
    current_.resize(layout_.Words());
    scratch_.resize(layout_.Words());
    variables_.resize(layout_.Words());
    // Where each block's records begin, to tell whose records a page plays.
    for (const OutlineBlock& block : outline_.blocks)
      if (block.offset >= 0) starts_.emplace_back(block.offset, block.record);
    std::int32_t trailer = index.FindBlock(kTrailerMarker);
    if (trailer >= 0) starts_.emplace_back(trailer, 0);
    std::sort(starts_.begin(), starts_.end());
  }

  Exploration Run();

 private:
  struct Pending {
    Bytes target;
    int offered = 0;  // the choice's letter number, 0 for "Next"
  };

  // The explorer's side of WalkBlock: where the page leads, nothing shown.
  struct Steps {
    Explorer& explorer;
    std::uint32_t id;
    std::size_t place;  // of the block being played
    std::array<Pending, kMaxChoices>& pending;
    int pending_count = 0;
    int offered = 0;
    std::uint64_t shown = 0;
    std::size_t holder = 0;   // the block whose records the page plays
    bool jump_error = false;  // a silent jump found no block

    bool SilentJump(std::int32_t offset) { return explorer.TakeSilentJump(*this, offset); }
    void PageStarts() {}
    void Content(BytesView) {}
    // A block whose guarded end does not hold plays the records after it, those
    // of the next block, under its own name: the page belongs to their block.
    void PageEnds() { holder = explorer.HolderOf(explorer.body_.Position() - 1); }
    void EndOfStory() {}
    void Choice(int ordinal, BytesView, Bytes target) {
      if (ordinal <= kTrackedChoices) shown |= std::uint64_t{1} << (ordinal - 1);
      pending[pending_count++] = {std::move(target), ++offered};
    }
    void HiddenChoice(int) {}
    void Next(Bytes target) { pending[pending_count++] = {std::move(target), 0}; }
  };

  // The successors of one page wait in a batch while the next page is
  // played, so that the slots asked for meanwhile reach the cache.
  struct Batch {
    struct Way {
      std::uint64_t fingerprint;
      std::uint32_t parent;
      char key;
    };
    std::vector<std::uint64_t> words;
    std::vector<Way> ways;
  };

  Bytes NameOf(std::size_t place) const { return Bytes(index_.Record(place).Name()); }

  // The block (index record) whose records hold the byte at `offset`; 0 past
  // the last block.
  std::size_t HolderOf(std::size_t offset) const {
    auto after = std::upper_bound(
        starts_.begin(), starts_.end(),
        std::make_pair(static_cast<std::int32_t>(offset), std::numeric_limits<std::size_t>::max()));
    return after == starts_.begin() ? 0 : std::prev(after)->second;
  }

  KeyPath PathTo(std::uint32_t id) const {
    KeyPath keys;
    for (; parents_[id] != kNoParent; id = parents_[id]) keys.push_back(keys_[id]);
    std::reverse(keys.begin(), keys.end());
    return keys;
  }

  void Defer(std::uint32_t parent, char key);
  void Flush(Batch& batch);
  void Add(std::uint64_t fingerprint, const std::uint64_t* words, std::uint32_t parent, char key);
  void Visit(std::uint32_t id, std::size_t place);
  void GoOnAfterJumpError(std::uint32_t id);
  std::vector<OfferedWay> OfferedAfter(const KeyPath& keys);
  void NoteVariablesWithoutDefault();
  bool TakeSilentJump(Steps& steps, std::int32_t offset);
  void NoteJumpError(std::size_t from, Bytes target, KeyPath keys);
  Exploration Report();

  const std::atomic<bool>* cancel_;
  const BlockIndex& index_;
  StoryBody body_;
  StoryOutline outline_;
  StateLayout layout_;
  std::uint64_t max_states_;
  std::vector<PlaceFindings> findings_;                       // by index record number
  std::vector<std::pair<std::int32_t, std::size_t>> starts_;  // offset, index record

  StoryState work_;
  std::vector<std::uint64_t> current_;
  std::vector<std::uint64_t> scratch_;
  std::vector<std::uint64_t> variables_;  // the packed variables after a page
  std::array<Pending, kMaxChoices> pending_;
  std::array<Batch, 2> batches_;
  int filling_ = 0;
  FingerprintSet seen_;
  std::vector<std::uint64_t> chain_;  // fingerprints of one visit's silent jumps
  FingerprintSet long_chain_;         // the same, once the chain is long
  std::vector<std::uint32_t> parents_;
  std::vector<char> keys_;
  std::vector<std::uint64_t> queue_;  // packed states still to play, from head_
  std::size_t head_ = 0;
  std::size_t largest_queue_ = 0;
  bool complete_ = true;

  std::set<std::pair<Bytes, Bytes>> jump_errors_seen_;
  Exploration result_;
};

// `scratch_` holds the packed state.
void Explorer::Defer(std::uint32_t parent, char key) {
  std::uint64_t fingerprint = layout_.Fingerprint(scratch_.data());
  Batch& batch = batches_[filling_];
  batch.words.insert(batch.words.end(), scratch_.begin(), scratch_.end());
  batch.ways.push_back({fingerprint, parent, key});
  seen_.Prefetch(fingerprint);
}

void Explorer::Flush(Batch& batch) {
  const std::uint64_t* words = batch.words.data();
  for (const Batch::Way& way : batch.ways) {
    Add(way.fingerprint, words, way.parent, way.key);
    words += layout_.Words();
  }
  batch.words.clear();
  batch.ways.clear();
}

void Explorer::Add(std::uint64_t fingerprint, const std::uint64_t* words, std::uint32_t parent,
                   char key) {
  if (seen_.Size() >= max_states_) {
    if (!seen_.Contains(fingerprint)) complete_ = false;
    return;
  }
  if (!seen_.Insert(fingerprint)) return;
  parents_.push_back(parent);
  keys_.push_back(key);
  queue_.insert(queue_.end(), words, words + layout_.Words());
  largest_queue_ = std::max(largest_queue_, queue_.size() - head_);
}

void Explorer::NoteJumpError(std::size_t from, Bytes target, KeyPath keys) {
  Bytes block = from == 0 ? Bytes() : NameOf(from);
  if (!jump_errors_seen_.emplace(block, target).second) return;
  result_.jump_errors.push_back({std::move(block), std::move(target), std::move(keys)});
}

bool Explorer::TakeSilentJump(Steps& steps, std::int32_t offset) {
  if (offset < 0) {
    NoteJumpError(steps.place, work_.position_name, PathTo(steps.id));
    steps.jump_error = true;
    return false;
  }
  if (chain_.empty()) chain_.push_back(layout_.Fingerprint(current_.data()));
  std::size_t place = index_.FindRecord(work_.position_name);
  steps.place = place;
  findings_[place].reached = true;
  // Playing is deterministic: a state met twice in one chain of silent jumps
  // comes round for ever (the browser gives up after kMaxSilentJumps).
  layout_.PackVariables(work_, variables_.data());
  layout_.WithPlace(variables_.data(), place, scratch_.data());
  std::uint64_t fingerprint = layout_.Fingerprint(scratch_.data());
  bool circle = static_cast<long>(chain_.size()) >= kMaxSilentJumps;
  if (chain_.size() < kShortChain) {
    circle = circle || std::find(chain_.begin(), chain_.end(), fingerprint) != chain_.end();
    chain_.push_back(fingerprint);
    if (chain_.size() == kShortChain)
      for (std::uint64_t met : chain_) long_chain_.Insert(met);
  } else {
    circle = circle || !long_chain_.Insert(fingerprint);
    chain_.push_back(0);  // counts the jump
  }
  if (!circle) return true;
  if (!std::exchange(findings_[place].circle, true))
    result_.silent_circles.push_back({NameOf(place), PathTo(steps.id)});
  return false;
}

void Explorer::Visit(std::uint32_t id, std::size_t place) {
  findings_[place].reached = true;
  Steps steps{*this, id, place, pending_, 0, 0, 0};
  chain_.clear();
  if (long_chain_.Size() > 0) long_chain_.Clear();
  BlockEnd end;
  try {
    end = WalkBlock(body_, index_, work_, index_.Record(place).value, steps);
  } catch (const StoryError& error) {
    if (!std::exchange(findings_[steps.place].play_error, true))
      result_.play_errors.push_back({NameOf(steps.place), error.what(), PathTo(id)});
    return;
  }
  if (end == BlockEnd::kStopped) {
    if (steps.jump_error) GoOnAfterJumpError(id);
    return;
  }

  std::size_t holder = steps.holder != 0 ? steps.holder : steps.place;
  PlaceFindings& page = findings_[holder];
  page.page_shown = true;
  page.shown_choices |= steps.shown;
  if (end == BlockEnd::kEndOfStory) {
    if (!std::exchange(page.ending, true)) result_.endings.push_back({NameOf(holder), PathTo(id)});
    // Opening the story again starts the next play at the start block.
    if (std::size_t restart = index_.FindRecord(work_.position_name)) {
      layout_.PackVariables(work_, variables_.data());
      layout_.WithPlace(variables_.data(), restart, scratch_.data());
      Defer(id, kReopenKey);
    }
    return;
  }
  layout_.PackVariables(work_, variables_.data());
  for (int i = 0; i < steps.pending_count; ++i) {
    Pending& way = steps.pending[i];
    // A page with one control takes Enter; the keys 'A' to 'F' pick among more.
    char key = KeyOf(way.offered, steps.offered);
    std::size_t target = index_.FindRecord(way.target);
    if (target == 0) {
      // The reader stays on this page with the same choices: nothing new.
      NoteJumpError(holder, std::move(way.target), PathTo(id) + key);
      continue;
    }
    layout_.WithPlace(variables_.data(), target, scratch_.data());
    Defer(id, key);
  }
}

// A silent jump found no block: the page before stays, its choices offered,
// with the flags and counters the jumps changed. The reader goes on from it.
void Explorer::GoOnAfterJumpError(std::uint32_t id) {
  KeyPath keys = PathTo(id);
  // A new game or a reopened story has no page before.
  if (keys.empty() || keys.back() == kReopenKey) return;
  keys.pop_back();
  std::vector<OfferedWay> offered = OfferedAfter(keys);
  layout_.PackVariables(work_, variables_.data());
  for (OfferedWay& way : offered) {
    std::size_t target = index_.FindRecord(way.target);
    if (target == 0) continue;  // noted where the page was shown
    layout_.WithPlace(variables_.data(), target, scratch_.data());
    Defer(id, way.key);
  }
}

// The choices offered after pressing `keys` from a new game, replayed as
// `qvn play --choose` plays them. Rare (only after a failed silent jump), so
// the states on the way are not kept for it.
std::vector<OfferedWay> Explorer::OfferedAfter(const KeyPath& keys) {
  StoryState state;
  std::vector<OfferedWay> table;
  auto play = [&](std::int32_t offset) {
    ReplaySteps steps;
    BlockEnd end = WalkBlock(body_, index_, state, offset, steps);
    if (end == BlockEnd::kChoices)
      table = steps.Table();
    else if (end == BlockEnd::kEndOfStory)
      table.clear();
  };
  try {
    if (index_.Count() == 0) return {};
    play(index_.Record(1).value);
    for (char key : keys) {
      if (key == kReopenKey) {
        std::size_t restart = index_.FindRecord(state.position_name);
        if (restart == 0) return {};
        play(index_.Record(restart).value);
        continue;
      }
      auto way = std::find_if(table.begin(), table.end(),
                              [key](const OfferedWay& offered) { return offered.key == key; });
      if (way == table.end()) return {};
      state.position_name = way->target;
      state.position_offset = index_.FindBlock(state.position_name);
      if (state.position_offset >= 0) play(state.position_offset);
    }
  } catch (const StoryError&) {
    return {};
  }
  return table;
}

// A variable with a label and an empty default needs an answer to start.
void Explorer::NoteVariablesWithoutDefault() {
  std::int32_t trailer = index_.FindBlock(kTrailerMarker);
  if (trailer < 0) return;
  try {
    body_.SeekBlock(trailer);
    for (int number = 1; number <= kVariableCount; ++number) {
      bool used = body_.ReadRecord() != kUnusedVariable;
      bool empty = body_.ReadRecord().empty();
      if (used && empty) result_.variables_without_default.push_back(number);
    }
  } catch (const StoryError&) {
    // A damaged trailer: the runtime reports it when the story opens.
  }
}

Exploration Explorer::Run() {
  result_.blocks = outline_.blocks.size();
  NoteVariablesWithoutDefault();
  // A new game starts at index record 1, taken without a lookup.
  if (index_.Count() == 0 || index_.Record(1).value < 0) {
    Bytes start = index_.Count() > 0 ? Bytes(index_.Record(1).Name()) : Bytes();
    result_.jump_errors.push_back({Bytes(), start, KeyPath()});
  } else {
    layout_.PackVariables(work_, variables_.data());
    layout_.WithPlace(variables_.data(), 1, scratch_.data());
    Defer(kNoParent, kEnterKey);
  }
  for (std::uint32_t id = 0;; ++id) {
    if (cancel_ && id % 1024 == 0 && cancel_->load(std::memory_order_relaxed)) {
      complete_ = false;
      break;
    }
    if (head_ == queue_.size()) {
      Flush(batches_[1 - filling_]);
      Flush(batches_[filling_]);
      if (head_ == queue_.size()) break;
    }
    std::copy_n(queue_.begin() + static_cast<std::ptrdiff_t>(head_), current_.size(),
                current_.begin());
    head_ += current_.size();
    if (head_ >= kQueueCompaction && head_ * 2 >= queue_.size()) {
      // What has been played is dropped now and then, not word by word.
      queue_.erase(queue_.begin(), queue_.begin() + static_cast<std::ptrdiff_t>(head_));
      head_ = 0;
    }
    Visit(id, layout_.Unpack(current_.data(), work_));
    // This page's successors wait; the previous page's join the queue.
    filling_ = 1 - filling_;
    Flush(batches_[filling_]);
  }
  return Report();
}

Exploration Explorer::Report() {
  result_.states = seen_.Size();
  result_.complete = complete_;
  result_.state_bytes = seen_.Bytes() + parents_.capacity() * sizeof(std::uint32_t) +
                        keys_.capacity() + largest_queue_ * sizeof(std::uint64_t);

  // Blocks some way names (the block a name finds, as the runtime finds it).
  std::vector<bool> named(index_.Count() + 1);
  for (const OutlineBlock& block : outline_.blocks)
    for (const OutlineWay& way : block.ways) named[index_.FindRecord(way.target)] = true;

  for (const OutlineBlock& block : outline_.blocks) {
    const PlaceFindings& findings = findings_[block.record];
    if (findings.reached || findings.page_shown) {
      result_.reached.push_back(block.name);
    } else if (!complete_) {
      result_.unreached.push_back({block.name, UnreachedReason::kNotExplored});
    } else {
      bool named_here = named[block.record];
      result_.unreached.push_back(
          {block.name, named_here ? UnreachedReason::kClosedWaysIn : UnreachedReason::kNoWayIn});
    }
    // A choice not yet seen when the walk stopped may still be offered.
    if (!findings.page_shown || !complete_) continue;
    for (const OutlineChoice& choice : block.choices) {
      if (choice.ordinal > kTrackedChoices) break;
      if (!(findings.shown_choices & (std::uint64_t{1} << (choice.ordinal - 1))))
        result_.never_shown_choices.push_back({block.name, choice.ordinal, choice.caption});
    }
  }
  return std::move(result_);
}

}  // namespace

std::string ChooseArgument(const KeyPath& keys) {
  std::string out;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (i > 0) out.push_back(',');
    if (keys[i] != kEnterKey) out.push_back(keys[i]);
  }
  return out;
}

std::vector<std::string> ReplayArguments(const Exploration& exploration, const KeyPath& keys) {
  std::vector<std::string> arguments{"--slot=1"};
  for (int number : exploration.variables_without_default)
    arguments.push_back("--var=" + std::to_string(number) + "=x");
  // "q" shows the first page and stops, as no key would not.
  arguments.push_back("--choose=" + (keys.empty() ? std::string("q") : ChooseArgument(keys)));
  return arguments;
}

Exploration ExploreStory(BytesView body, const BlockIndex& index, std::uint64_t max_states,
                         const std::atomic<bool>* cancel) {
  Explorer explorer(body, index, max_states, cancel);
  return explorer.Run();
}

}  // namespace qvn
