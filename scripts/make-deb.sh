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
# Debian's build flags with every hardening feature (fortify, stack
# protector, full RELRO, immediate binding).
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
preprocessor=$(dpkg-buildflags --get CPPFLAGS)
scripts/build.sh "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DQVN_TESTS=OFF -DQVN_BENCH=OFF \
  "-DCMAKE_C_FLAGS=$(dpkg-buildflags --get CFLAGS) $preprocessor" \
  "-DCMAKE_CXX_FLAGS=$(dpkg-buildflags --get CXXFLAGS) $preprocessor" \
  "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)"
rm -f "$dir"/qvn_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
deb=$(ls "$dir"/qvn_*.deb)
# Errors fail the script; warnings and notes are shown.
lintian --fail-on error "$deb" || { echo "lintian found errors in $deb" >&2; exit 1; }
echo "$deb"
