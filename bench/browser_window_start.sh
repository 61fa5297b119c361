#!/usr/bin/env bash
# Process start of QVN3 to its window on an X screen (Xvfb), with a story on
# the command line: what the in-process figure of bench_browser leaves out
# (exec, dynamic linking, connecting to the display).
# Usage: bench/browser_window_start.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build=${1:-build}
runs=${2:-5}
cd "$(dirname "$0")/.."
command -v Xvfb >/dev/null && command -v xwininfo >/dev/null || { echo "needs Xvfb and xwininfo"; exit 0; }

work=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT
cp examples/demo/* "$work/"
"$build/cli/qvn" compile "$work/demo.src" >/dev/null
display=:$((90 + RANDOM % 100))
Xvfb "$display" -noreset -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do DISPLAY=$display xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

for run in $(seq "$runs"); do
  start=$(date +%s%N)
  DISPLAY=$display SDL_AUDIODRIVER=dummy "$build/browser/QVN3" "$work/demo.qvn" >/dev/null 2>&1 &
  browser=$!
  # The slot dialog comes up once the window is shown and the story opens.
  until DISPLAY=$display xwininfo -root -tree 2>/dev/null | grep -q "QVN"; do sleep 0.002; done
  end=$(date +%s%N)
  kill "$browser"; wait "$browser" 2>/dev/null || true
  echo "run $run: process start to window and slot dialog on screen: $(( (end - start) / 1000000 )) ms"
done
