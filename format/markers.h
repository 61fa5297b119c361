#pragma once
// Reserved names of the block index and the marker of an unused slot.
#include <cstdint>

#include "common/bytes.h"

namespace qvn {

inline constexpr BytesView kVersionMarker = "QVNVER";
inline constexpr BytesView kTrailerMarker = "QVNALTER";
inline constexpr BytesView kPasswordMarker = "QVNPASS";
inline constexpr BytesView kReservedPrefix = "QVN";
inline constexpr BytesView kFreshSlotMarker = "QVNSTART";

inline constexpr std::int32_t kDefaultVersionCode = 10000;
inline constexpr BytesView kUnusedVariable = "????";

inline constexpr int kMaxBlocks = 8000;
inline constexpr int kVariableCount = 9;
inline constexpr std::size_t kMaxVariableBytes = 16;
inline constexpr std::size_t kMaxBlockNameBytes = 8;

}  // namespace qvn
