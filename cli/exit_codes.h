#pragma once

namespace qvn {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitIoError = 2;
inline constexpr int kExitUsage = 64;

}  // namespace qvn
