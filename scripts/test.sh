#!/usr/bin/env bash
# The whole test run: set-up, build, the suite, the suite again under
# AddressSanitizer and UndefinedBehaviorSanitizer, and a short fuzz run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

export QT_QPA_PLATFORM=offscreen
export SDL_AUDIODRIVER=dummy

echo "== build and test"
# Release, where GCC warns the most, and no warning let through.
scripts/build.sh build -DCMAKE_BUILD_TYPE=Release -DQVN_WERROR=ON
ctest --test-dir build --output-on-failure -j "$(nproc)"

echo "== build and test with sanitizers"
scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DQVN_SANITIZE=ON -DQVN_BENCH=OFF \
  -DQVN_WEB=OFF
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$(nproc)"

if command -v clang++ >/dev/null 2>&1; then
  echo "== fuzz (short run)"
  CC=clang CXX=clang++ scripts/build.sh build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQVN_FUZZ=ON -DQVN_GUI=OFF -DQVN_BENCH=OFF -DQVN_TESTS=OFF -DQVN_WEB=OFF
  scripts/fuzz.sh build-fuzz "${QVN_FUZZ_SECONDS:-20}"
fi
echo "== all tests passed"
