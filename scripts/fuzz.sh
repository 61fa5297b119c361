#!/usr/bin/env bash
# Runs the fuzz targets of a fuzz build for SECONDS each (20 by default):
# every target, or only those named (story_slots, page_breaking, ...):
# fuzz.sh BUILD_DIR [SECONDS [TARGET...]]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1
seconds=${2:-20}
shift $(($# < 2 ? $# : 2))
only=" $* "
for target in "$dir"/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  [ $# -eq 0 ] || [[ $only == *" ${name#fuzz_} "* ]] || continue
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
