#!/usr/bin/env bash
# Brings the translation sources up to date with the code: every message
# marked for translation gets an entry, and entries whose message is gone are
# dropped. Then translate the entries left unfinished (Qt Linguist or any
# editor) and commit the .ts files.
#   scripts/update-translations.sh [TS_FILE...]
# Without arguments: translations/qvn_*.ts. The translations test runs this
# on copies and fails when anything would change.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
lupdate=$(command -v lupdate-qt6 || command -v /usr/lib/qt6/bin/lupdate || command -v lupdate || true)
if [ -z "$lupdate" ]; then
  echo "lupdate not found (Debian: qt6-l10n-tools)" >&2
  exit 2
fi
files=("$@")
if [ ${#files[@]} -eq 0 ]; then
  files=("$root"/translations/qvn_*.ts)
fi
cd "$root"
for ts in "${files[@]}"; do
  language=$(basename "$ts" .ts)
  language=${language##*_}
  # No source locations: an entry changes only when its message does.
  # -I: headers by their path from the root, so that classes carry their
  # namespace as tr() names its context.
  "$lupdate" -silent -locations none -no-obsolete -no-ui-lines -I "$root" \
    -tr-function-alias translate+=Translate \
    -source-language ja -target-language "$language" \
    -extensions cpp,h \
    common format platform compiler runtime analysis web cli gui browser workbench translations \
    -ts "$ts"
done
