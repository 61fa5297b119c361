#include "runtime/story_explorer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <set>
#include <utility>

#include "format/markers.h"
#include "runtime/block_walk.h"
#include "runtime/fingerprint_set.h"
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

class Explorer {
 public:
  Explorer(BytesView body, const BlockIndex& index, std::uint64_t max_states)
      : index_(index),
        outline_(ReadOutline(body, index)),
        layout_(outline_, index.Count()),
        max_states_(max_states),
        findings_(index.Count() + 1) {
    body_.Assign(Bytes(body), {});
    current_.resize(layout_.Words());
    scratch_.resize(layout_.Words());
    variables_.resize(layout_.Words());
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

    bool SilentJump(std::int32_t offset) { return explorer.TakeSilentJump(*this, offset); }
    void PageStarts() {}
    void Content(BytesView) {}
    void PageEnds() {}
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
  bool TakeSilentJump(Steps& steps, std::int32_t offset);
  void NoteJumpError(std::size_t from, Bytes target, KeyPath keys);
  Exploration Report();

  const BlockIndex& index_;
  StoryBody body_;
  StoryOutline outline_;
  StateLayout layout_;
  std::uint64_t max_states_;
  std::vector<PlaceFindings> findings_;  // by index record number

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
  if (end == BlockEnd::kStopped) return;

  PlaceFindings& page = findings_[steps.place];
  page.page_shown = true;
  page.shown_choices |= steps.shown;
  if (end == BlockEnd::kEndOfStory) {
    if (!std::exchange(page.ending, true))
      result_.endings.push_back({NameOf(steps.place), PathTo(id)});
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
    char key = way.offered == 0 || steps.offered == 1 ? kEnterKey
                                                      : static_cast<char>('A' + way.offered - 1);
    std::size_t target = index_.FindRecord(way.target);
    if (target == 0) {
      NoteJumpError(steps.place, std::move(way.target), PathTo(id) + key);
      continue;
    }
    layout_.WithPlace(variables_.data(), target, scratch_.data());
    Defer(id, key);
  }
}

Exploration Explorer::Run() {
  result_.blocks = outline_.blocks.size();
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
    if (findings.reached) {
      result_.reached.push_back(block.name);
    } else {
      bool named_here = named[block.record];
      result_.unreached.push_back(
          {block.name, named_here ? UnreachedReason::kClosedWaysIn : UnreachedReason::kNoWayIn});
    }
    if (!findings.page_shown) continue;
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

Exploration ExploreStory(BytesView body, const BlockIndex& index, std::uint64_t max_states) {
  Explorer explorer(body, index, max_states);
  return explorer.Run();
}

}  // namespace qvn
