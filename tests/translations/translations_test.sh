#!/usr/bin/env bash
# The translation sources are complete and current: no entry is unfinished or
# obsolete, and lupdate run on a copy finds nothing to add or drop.
#   translations_test.sh SOURCE_DIR
set -euo pipefail
source=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for ts in "$source"/translations/qvn_*.ts; do
  name=$(basename "$ts")
  if grep -n 'type="unfinished"\|type="obsolete"\|type="vanished"' "$ts"; then
    echo "FAIL: $name has unfinished or obsolete entries (above)" >&2
    status=1
  fi
  cp "$ts" "$work/$name"
  "$source/scripts/update-translations.sh" "$work/$name" 2>"$work/lupdate.log" ||
    { cat "$work/lupdate.log"; echo "FAIL: lupdate failed" >&2; exit 1; }
  if ! diff -u "$ts" "$work/$name"; then
    echo "FAIL: $name is not current: run scripts/update-translations.sh and translate" >&2
    status=1
  fi
done
[ $status -eq 0 ] && echo "translations complete and current"
exit $status
