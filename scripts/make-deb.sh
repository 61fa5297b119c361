#!/usr/bin/env bash
# Builds the Debian package: a release build for /usr in DIR (default
# build-deb), `cpack -G DEB` there, then lintian. Prints the package's path.
#   scripts/make-deb.sh [DIR]
# Install it with `sudo apt-get install ./DIR/qvn_*.deb`, remove it with
# `sudo apt-get remove qvn`.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-deb}
scripts/setup.sh
scripts/build.sh "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DQVN_TESTS=OFF -DQVN_BENCH=OFF
rm -f "$dir"/qvn_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
deb=$(ls "$dir"/qvn_*.deb)
# Errors fail the script; warnings and notes are shown.
lintian --fail-on error "$deb" || { echo "lintian found errors in $deb" >&2; exit 1; }
echo "$deb"
