#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a few seconds each:
# fuzz.sh BUILD_DIR SECONDS
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1
seconds=${2:-20}
for target in "$dir"/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$dir/fuzz/corpus-$name"
  mkdir -p "$corpus"
  seeds="fuzz/seeds/${name#fuzz_}"
  echo "-- $name (${seconds}s)"
  if [ -d "$seeds" ]; then
    "$target" -max_total_time="$seconds" -rss_limit_mb=2048 "$corpus" "$seeds" 2>&1 | tail -n 2
  else
    "$target" -max_total_time="$seconds" -rss_limit_mb=2048 "$corpus" 2>&1 | tail -n 2
  fi
done
