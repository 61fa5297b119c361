#!/usr/bin/env bash
# Builds the Debian package with CPack into a temporary folder and checks its
# contents list, its dependencies and that its programs are stripped.
#   deb_package_test.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack -G DEB -B "$work" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack -G DEB"; }
deb=$(ls "$work"/qvn_"$version"_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { cat "$work/cpack.log"; fail "no qvn_${version}_*.deb"; }

# ---- Contents: the programs, and files only in their freedesktop places ----
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./||' | sort >"$work/files.txt"
for file in usr/bin/QVN3 usr/bin/QvnMakeW usr/bin/qvn \
  usr/share/qvn/qvn3.html usr/share/qvn/workbench.html \
  usr/share/qvn/en/qvn3.html usr/share/qvn/en/workbench.html \
  usr/share/qvn/demo/demo.qvn usr/share/qvn/demo/demo.qvj usr/share/qvn/demo/demo.src \
  usr/share/qvn/demo/demo.Q01 usr/share/qvn/demo/night.bmp usr/share/qvn/demo/bgm.mid \
  usr/share/applications/org.qvnlinux.QVN3.desktop \
  usr/share/applications/org.qvnlinux.QvnMakeW.desktop \
  usr/share/mime/packages/org.qvnlinux.qvn.xml \
  usr/share/metainfo/org.qvnlinux.QVN3.metainfo.xml \
  usr/share/metainfo/org.qvnlinux.QvnMakeW.metainfo.xml \
  usr/share/icons/hicolor/scalable/apps/org.qvnlinux.QVN3.svg \
  usr/share/icons/hicolor/48x48/apps/org.qvnlinux.QvnMakeW.png \
  usr/share/icons/hicolor/256x256/mimetypes/application-x-qvn-story.png \
  usr/share/man/man1/qvn.1.gz usr/share/man/man1/QVN3.1.gz usr/share/man/man1/QvnMakeW.1.gz \
  usr/share/man/ja/man1/qvn.1.gz usr/share/man/ja/man1/QVN3.1.gz \
  usr/share/man/ja/man1/QvnMakeW.1.gz usr/share/qvn/translations/qvn_en.qm \
  usr/share/doc/qvn/copyright usr/share/doc/qvn/changelog.gz; do
  grep -qx "$file" "$work/files.txt" || fail "the package lacks $file"
done
if grep -Ev '^usr/bin/(QVN3|QvnMakeW|qvn)$|^usr/share/(applications|doc/qvn|icons/hicolor|man/man1|man/ja/man1|metainfo|mime/packages|qvn)/' \
  "$work/files.txt"; then
  fail "files outside their places (above)"
fi

# ---- Dependencies: libraries from the binaries, fonts and soundfont by name ----
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libsdl2-mixer-2.0-0 libjpeg62-turbo libstdc++6 \
  fonts-ipafont-gothic fonts-ipafont-mincho fonts-liberation2 timgm6mb-soundfont; do
  grep -q "\b$package\b" <<<"$depends" || fail "Depends lacks $package: $depends"
done
[ "$(dpkg-deb -f "$deb" Package)" = qvn ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version"

# ---- Programs stripped, as lintian wants ----
dpkg-deb -x "$deb" "$work/root"
for program in QVN3 QvnMakeW qvn; do
  if readelf -S "$work/root/usr/bin/$program" | grep -q '\.debug_info'; then
    fail "$program is not stripped"
  fi
done
echo "deb package test passed"
