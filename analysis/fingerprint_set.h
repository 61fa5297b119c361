#pragma once
// A set of 64-bit state fingerprints: open addressing with linear probing,
// eight bytes a slot, grown to keep it at most three quarters full.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qvn {

class FingerprintSet {
 public:
  FingerprintSet() = default;

  // True when `fingerprint` was not in the set and has been added.
  bool Insert(std::uint64_t fingerprint) {
    if (fingerprint == 0) {
      // Zero marks an empty slot; the one state it stands for is kept aside.
      if (has_zero_) return false;
      has_zero_ = true;
      ++size_;
      return true;
    }
    if (slots_.empty()) slots_.assign(kInitialSlots, 0);
    if ((size_ + 1) * 4 > slots_.size() * 3) Grow();
    if (!Place(slots_, fingerprint)) return false;
    ++size_;
    return true;
  }

  bool Contains(std::uint64_t fingerprint) const {
    if (fingerprint == 0) return has_zero_;
    if (slots_.empty()) return false;
    std::size_t mask = slots_.size() - 1;
    for (std::size_t i = Home(fingerprint, mask);; i = (i + 1) & mask) {
      if (slots_[i] == fingerprint) return true;
      if (slots_[i] == 0) return false;
    }
  }

  // Brings the slot a fingerprint would take into the cache ahead of Insert.
  void Prefetch(std::uint64_t fingerprint) const {
    if (!slots_.empty()) __builtin_prefetch(&slots_[Home(fingerprint, slots_.size() - 1)]);
  }

  void Clear() {
    slots_.clear();
    size_ = 0;
    has_zero_ = false;
  }

  std::size_t Size() const { return size_; }
  std::size_t Bytes() const { return slots_.size() * sizeof(std::uint64_t); }

 private:
  static constexpr std::size_t kInitialSlots = 1024;

  // The slot to start at: the fingerprint's high bits, already well mixed.
  static std::size_t Home(std::uint64_t fingerprint, std::size_t mask) {
    return static_cast<std::size_t>(fingerprint >> 17) & mask;
  }

  static bool Place(std::vector<std::uint64_t>& slots, std::uint64_t fingerprint) {
    std::size_t mask = slots.size() - 1;
    for (std::size_t i = Home(fingerprint, mask);; i = (i + 1) & mask) {
      if (slots[i] == fingerprint) return false;
      if (slots[i] == 0) {
        slots[i] = fingerprint;
        return true;
      }
    }
  }

  void Grow() {
    std::vector<std::uint64_t> bigger(slots_.size() * 2, 0);
    for (std::uint64_t fingerprint : slots_)
      if (fingerprint != 0) Place(bigger, fingerprint);
    slots_.swap(bigger);
  }

  std::vector<std::uint64_t> slots_;
  std::size_t size_ = 0;
  bool has_zero_ = false;
};

}  // namespace qvn
