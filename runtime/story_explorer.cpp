#include "runtime/story_explorer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <deque>
#include <set>
#include <utility>

#include "format/markers.h"
#include "runtime/block_walk.h"
#include "runtime/fingerprint_set.h"
#include "runtime/story_error.h"

namespace qvn {

namespace {

constexpr std::uint16_t kNoBlock = 0xFFFF;
constexpr std::uint32_t kNoParent = 0xFFFFFFFF;
constexpr int kCounterBits = 5;  // 'A' to 'Z' as 0 to 25
constexpr int kTrackedChoices = 64;
constexpr std::size_t kShortChain = 32;

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

// Where each part of a state lies in its packed words: the block's offset,
// then one bit per flag the story can change, then five bits per counter.
class StateLayout {
 public:
  StateLayout(const StoryOutline& outline, std::uint32_t largest_offset)
      : flags_(outline.changed_flags) {
    for (char counter : outline.changed_counters) counters_.push_back(counter - 'A');
    offset_bits_ = std::max(1, static_cast<int>(std::bit_width(largest_offset)));
    int bits = offset_bits_ + static_cast<int>(flags_.size()) +
               kCounterBits * static_cast<int>(counters_.size());
    words_ = static_cast<std::size_t>((bits + 63) / 64);
  }

  std::size_t Words() const { return words_; }

  void Pack(std::int32_t offset, const StoryState& state, std::uint64_t* out) const {
    std::fill(out, out + words_, 0);
    int bit = 0;
    Put(out, bit, static_cast<std::uint32_t>(offset), offset_bits_);
    for (int flag : flags_) Put(out, bit, state.flags[flag], 1);
    for (int counter : counters_)
      Put(out, bit, static_cast<std::uint32_t>(state.counters[counter] - 'A'), kCounterBits);
  }

  // Sets the changeable flags and counters of `state`; returns the offset.
  std::int32_t Unpack(const std::uint64_t* in, StoryState& state) const {
    int bit = 0;
    auto offset = static_cast<std::int32_t>(Get(in, bit, offset_bits_));
    for (int flag : flags_) state.flags[flag] = static_cast<std::uint8_t>(Get(in, bit, 1));
    for (int counter : counters_)
      state.counters[counter] = static_cast<char>('A' + Get(in, bit, kCounterBits));
    return offset;
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
  int offset_bits_ = 32;
  std::size_t words_ = 1;
};

struct BlockFindings {
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
        layout_(outline_, LargestOffset(body, index)),
        max_states_(max_states),
        findings_(outline_.blocks.size()),
        block_at_(body.size() + 1, kNoBlock) {
    body_.Assign(Bytes(body), {});
    for (std::size_t b = 0; b < outline_.blocks.size(); ++b) {
      std::int32_t offset = outline_.blocks[b].offset;
      if (offset >= 0 && static_cast<std::size_t>(offset) < block_at_.size() &&
          block_at_[offset] == kNoBlock)
        block_at_[offset] = static_cast<std::uint16_t>(b);
    }
    current_.resize(layout_.Words());
    scratch_.resize(layout_.Words());
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
    std::int32_t block_offset;
    std::array<Pending, kMaxChoices> pending;
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

  static std::uint32_t LargestOffset(BytesView body, const BlockIndex& index) {
    auto largest = static_cast<std::uint32_t>(body.size());
    for (std::size_t n = 1; n <= index.Count(); ++n)
      largest = std::max(largest, static_cast<std::uint32_t>(std::max(0, index.Record(n).value)));
    return largest;
  }

  BlockFindings* FindingsAt(std::int32_t offset) {
    if (offset < 0 || static_cast<std::size_t>(offset) >= block_at_.size()) return nullptr;
    std::uint16_t b = block_at_[offset];
    return b == kNoBlock ? nullptr : &findings_[b];
  }
  // The block's name; an offset that starts no block (a marker's value) is
  // named as the story named it.
  Bytes NameAt(std::int32_t offset) const {
    if (offset >= 0 && static_cast<std::size_t>(offset) < block_at_.size() &&
        block_at_[offset] != kNoBlock)
      return outline_.blocks[block_at_[offset]].name;
    return work_.position_name;
  }

  KeyPath PathTo(std::uint32_t id) const {
    KeyPath keys;
    for (; parents_[id] != kNoParent; id = parents_[id]) keys.push_back(keys_[id]);
    std::reverse(keys.begin(), keys.end());
    return keys;
  }

  void Add(std::int32_t offset, std::uint32_t parent, char key);
  void Visit(std::uint32_t id, std::int32_t offset);
  bool TakeSilentJump(Steps& steps, std::int32_t offset);
  void NoteJumpError(std::int32_t from, Bytes target, KeyPath keys);
  Exploration Report();

  const BlockIndex& index_;
  StoryBody body_;
  StoryOutline outline_;
  StateLayout layout_;
  std::uint64_t max_states_;
  std::vector<BlockFindings> findings_;
  std::vector<std::uint16_t> block_at_;  // body offset to block number

  StoryState work_;
  std::vector<std::uint64_t> current_;
  std::vector<std::uint64_t> scratch_;
  FingerprintSet seen_;
  std::vector<std::uint64_t> chain_;  // fingerprints of one visit's silent jumps
  FingerprintSet long_chain_;         // the same, once the chain is long
  std::vector<std::uint32_t> parents_;
  std::vector<char> keys_;
  std::deque<std::uint64_t> queue_;
  std::size_t largest_queue_ = 0;
  bool complete_ = true;

  std::set<std::pair<Bytes, Bytes>> jump_errors_seen_;
  std::set<Bytes> unnamed_seen_;  // findings at offsets that start no block
  Exploration result_;
};

void Explorer::Add(std::int32_t offset, std::uint32_t parent, char key) {
  layout_.Pack(offset, work_, scratch_.data());
  std::uint64_t fingerprint = layout_.Fingerprint(scratch_.data());
  if (seen_.Size() >= max_states_) {
    if (!seen_.Contains(fingerprint)) complete_ = false;
    return;
  }
  if (!seen_.Insert(fingerprint)) return;
  parents_.push_back(parent);
  keys_.push_back(key);
  queue_.insert(queue_.end(), scratch_.begin(), scratch_.end());
  largest_queue_ = std::max(largest_queue_, queue_.size());
}

void Explorer::NoteJumpError(std::int32_t from, Bytes target, KeyPath keys) {
  Bytes block = NameAt(from);
  if (!jump_errors_seen_.emplace(block, target).second) return;
  result_.jump_errors.push_back({std::move(block), std::move(target), std::move(keys)});
}

bool Explorer::TakeSilentJump(Steps& steps, std::int32_t offset) {
  if (offset < 0) {
    NoteJumpError(steps.block_offset, work_.position_name, PathTo(steps.id));
    return false;
  }
  steps.block_offset = offset;
  if (BlockFindings* findings = FindingsAt(offset)) findings->reached = true;
  // Playing is deterministic: a state met twice in one chain of silent jumps
  // comes round for ever (the browser gives up after kMaxSilentJumps).
  layout_.Pack(offset, work_, scratch_.data());
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
  BlockFindings* findings = FindingsAt(offset);
  bool first = findings ? !std::exchange(findings->circle, true)
                        : unnamed_seen_.insert("circle:" + work_.position_name).second;
  if (first) result_.silent_circles.push_back({NameAt(offset), PathTo(steps.id)});
  return false;
}

void Explorer::Visit(std::uint32_t id, std::int32_t offset) {
  if (BlockFindings* findings = FindingsAt(offset)) findings->reached = true;
  Steps steps{*this, id, offset, {}, 0, 0, 0};
  chain_.assign(1, layout_.Fingerprint(current_.data()));
  if (long_chain_.Size() > 0) long_chain_.Clear();
  BlockEnd end;
  try {
    end = WalkBlock(body_, index_, work_, offset, steps);
  } catch (const StoryError& error) {
    BlockFindings* findings = FindingsAt(steps.block_offset);
    bool first = findings ? !std::exchange(findings->play_error, true)
                          : unnamed_seen_.insert("error:" + work_.position_name).second;
    if (first)
      result_.play_errors.push_back({NameAt(steps.block_offset), error.what(), PathTo(id)});
    return;
  }
  if (end == BlockEnd::kStopped) return;

  BlockFindings* page = FindingsAt(steps.block_offset);
  if (page) {
    page->page_shown = true;
    page->shown_choices |= steps.shown;
  }
  if (end == BlockEnd::kEndOfStory) {
    bool first = page ? !std::exchange(page->ending, true)
                      : unnamed_seen_.insert("ending:" + NameAt(steps.block_offset)).second;
    if (first) result_.endings.push_back({NameAt(steps.block_offset), PathTo(id)});
    // Opening the story again starts the next play at the start block.
    std::int32_t restart = index_.FindBlock(work_.position_name);
    if (restart >= 0) Add(restart, id, kEnterKey);
    return;
  }
  for (int i = 0; i < steps.pending_count; ++i) {
    Pending& way = steps.pending[i];
    // A page with one control takes Enter; the keys 'A' to 'F' pick among more.
    char key = way.offered == 0 || steps.offered == 1 ? kEnterKey
                                                      : static_cast<char>('A' + way.offered - 1);
    std::int32_t target = index_.FindBlock(way.target);
    if (target < 0) {
      NoteJumpError(steps.block_offset, std::move(way.target), PathTo(id) + key);
      continue;
    }
    Add(target, id, key);
  }
}

Exploration Explorer::Run() {
  result_.blocks = outline_.blocks.size();
  // A new game starts at index record 1, taken without a lookup.
  std::int32_t start = index_.Count() > 0 ? index_.Record(1).value : -1;
  work_.position_name = index_.Count() > 0 ? Bytes(index_.Record(1).Name()) : Bytes();
  if (start < 0) {
    result_.jump_errors.push_back({Bytes(), work_.position_name, KeyPath()});
  } else {
    Add(start, kNoParent, kEnterKey);
  }
  for (std::uint32_t id = 0; !queue_.empty(); ++id) {
    std::copy_n(queue_.begin(), current_.size(), current_.begin());
    queue_.erase(queue_.begin(), queue_.begin() + static_cast<std::ptrdiff_t>(current_.size()));
    std::int32_t offset = layout_.Unpack(current_.data(), work_);
    Visit(id, offset);
  }
  return Report();
}

Exploration Explorer::Report() {
  result_.states = seen_.Size();
  result_.complete = complete_;
  result_.state_bytes = seen_.Bytes() + parents_.capacity() * sizeof(std::uint32_t) +
                        keys_.capacity() + largest_queue_ * sizeof(std::uint64_t);

  // Blocks some way names (the block a name finds, as the runtime finds it).
  std::set<std::int32_t> named;
  for (const OutlineBlock& block : outline_.blocks)
    for (const OutlineWay& way : block.ways) named.insert(index_.FindBlock(way.target));

  for (std::size_t b = 0; b < outline_.blocks.size(); ++b) {
    const OutlineBlock& block = outline_.blocks[b];
    const BlockFindings& findings = findings_[b];
    if (findings.reached) {
      result_.reached.push_back(block.name);
    } else {
      bool named_here =
          named.count(block.offset) > 0 && index_.FindBlock(block.name) == block.offset;
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
