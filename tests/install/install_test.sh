#!/usr/bin/env bash
# Installs the kit into a temporary prefix and uses it the way a desktop and a
# reader would: validators on the desktop files, the story MIME type, the
# installed programs on the installed demo, with bin/ and the demo's folder
# not writable, so that settings and user data take the XDG fall-backs.
#   install_test.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
build=$1
source=$2
version=$3

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
check_equal() {  # what expected actual
  [ "$2" = "$3" ] || fail "$1: expected '$2', got '$3'"
}

work=$(mktemp -d)
chmod 755 "$work"
# cmake --install rewrites the build folder's manifest: keep the user's own.
manifest=$build/install_manifest.txt
[ -f "$manifest" ] && cp -p "$manifest" "$work/manifest.kept"
cleanup() {
  if [ -f "$work/manifest.kept" ]; then cp -p "$work/manifest.kept" "$manifest"; else rm -f "$manifest"; fi
  [ -n "${reader_pid:-}" ] && kill "$reader_pid" 2>/dev/null || true
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
prefix=$work/prefix

# ---- Install: every file under the prefix, each where it belongs ----
DESTDIR= cmake --install "$build" --prefix "$prefix" >"$work/install.log"
for file in bin/QVN3 bin/QvnMakeW bin/qvn \
  share/qvn/qvn3.html share/qvn/workbench.html share/qvn/en/qvn3.html share/qvn/en/workbench.html \
  share/qvn/demo/demo.src share/qvn/demo/demo.qvn share/qvn/demo/demo.qvj \
  share/qvn/demo/demo.Q01 share/qvn/demo/demo.Q04 share/qvn/demo/night.bmp \
  share/qvn/demo/bgm.mid share/qvn/demo/chime.wav \
  share/applications/org.qvnlinux.QVN3.desktop share/applications/org.qvnlinux.QvnMakeW.desktop \
  share/mime/packages/org.qvnlinux.qvn.xml \
  share/metainfo/org.qvnlinux.QVN3.metainfo.xml share/metainfo/org.qvnlinux.QvnMakeW.metainfo.xml \
  share/man/man1/qvn.1.gz share/man/man1/QVN3.1.gz share/man/man1/QvnMakeW.1.gz \
  share/qvn/translations/qvn_en.qm \
  share/man/ja/man1/qvn.1.gz share/man/ja/man1/QVN3.1.gz share/man/ja/man1/QvnMakeW.1.gz; do
  [ -f "$prefix/$file" ] || fail "not installed: $file"
done
for id in apps/org.qvnlinux.QVN3 apps/org.qvnlinux.QvnMakeW mimetypes/application-x-qvn-story; do
  [ -f "$prefix/share/icons/hicolor/scalable/$id.svg" ] || fail "no scalable icon $id"
  for size in 48 256; do
    png=$prefix/share/icons/hicolor/${size}x$size/$id.png
    [ -f "$png" ] || fail "no ${size}px icon $id"
    # PNG width and height (IHDR bytes 16 to 23).
    check_equal "size of $id" "$size $size" "$(od -An -tu1 -j16 -N8 "$png" |
      awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')"
  done
done
grep -v "^$prefix/" "$manifest" && fail "installed outside the prefix"

# ---- Desktop entries and AppStream metadata ----
for entry in "$prefix"/share/applications/*.desktop; do
  desktop-file-validate "$entry" || fail "desktop-file-validate $entry"
  for key in Name GenericName Comment; do
    grep -q "^$key\[ja\]=" "$entry" || fail "$entry: no Japanese $key"
  done
done
for metainfo in "$prefix"/share/metainfo/*.metainfo.xml; do
  appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" ||
    { cat "$work/appstream.log"; fail "appstreamcli validate $metainfo"; }
  grep -q "<release version=\"$version\"" "$metainfo" || fail "$metainfo: no release $version"
  grep -q "<screenshot" "$metainfo" || fail "$metainfo: no screenshot"
  for element in name summary p caption; do
    grep -q "<$element xml:lang=\"ja\">" "$metainfo" || fail "$metainfo: no Japanese <$element>"
  done
done
grep -qx "MimeType=application/x-qvn-story;" "$prefix/share/applications/org.qvnlinux.QVN3.desktop" ||
  fail "QVN3's desktop entry does not open stories"

# ---- The story type, in any letter case ----
export XDG_DATA_HOME=$work/data-home XDG_DATA_DIRS=$prefix/share XDG_CONFIG_HOME=$work/config
update-mime-database "$prefix/share/mime"
mkdir -p "$work/files"
for name in STORY.QVN story.qvn Story.Qvn; do
  cp "$prefix/share/qvn/demo/demo.qvn" "$work/files/$name"
  # Without a desktop session xdg-mime asks `mimetype`; in GNOME it asks gio.
  if command -v mimetype >/dev/null; then
    check_equal "xdg-mime query filetype $name" application/x-qvn-story \
      "$(xdg-mime query filetype "$work/files/$name")"
  fi
  if command -v gio >/dev/null; then
    check_equal "xdg-mime (GNOME) query filetype $name" application/x-qvn-story \
      "$(XDG_CURRENT_DESKTOP=GNOME xdg-mime query filetype "$work/files/$name")"
  fi
done
rm -rf "$XDG_DATA_HOME"

# ---- --version, --help and the manuals ----
for program in QVN3 QvnMakeW qvn; do
  check_equal "$program --version" "$program (QVN for Linux) $version
Copyright (c) 2026 The QVN for Linux developers
MIT License" "$("$prefix/bin/$program" --version)"
  # --help speaks the locale's language.
  env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG=en_US.UTF-8 "$prefix/bin/$program" --help |
    grep -q "^usage: $program" || fail "$program --help under en_US"
  for locale in C.UTF-8 ja_JP.UTF-8; do
    env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG=$locale "$prefix/bin/$program" --help |
      grep -q "^使い方: $program" || fail "$program --help under $locale"
  done
done
# An installed qvn writes a story's web page without emscripten.
if [ -f "$build/share/qvn/web/qvn-reader.html" ]; then
  mkdir -p "$work/web"
  cp "$prefix/share/qvn/demo/demo.qvn" "$prefix/share/qvn/demo/demo.qvj" "$work/web/"
  "$prefix/bin/qvn" export --web "$work/web/demo.qvn" >/dev/null 2>"$work/export.log" ||
    { cat "$work/export.log"; fail "qvn export --web with the installed reader"; }
  grep -q "<title>夜の図書館</title>" "$work/web/demo.html" || fail "the exported page has no title"
fi
check_equal "QVN3's manual" "$prefix/share/qvn/qvn3.html" "$("$prefix/bin/QVN3" --manual-path)"
check_equal "QvnMakeW's manual" "$prefix/share/qvn/workbench.html" \
  "$("$prefix/bin/QvnMakeW" --manual-path)"
# The English manuals for an English locale.
check_equal "QVN3's English manual" "$prefix/share/qvn/en/qvn3.html" \
  "$(LANG=en_US.UTF-8 "$prefix/bin/QVN3" --manual-path)"
grep -q 'id="HID00000002"' "$prefix/share/qvn/en/qvn3.html" || fail "the English qvn3.html lacks its topic"
grep -q 'id="HID00000005"' "$prefix/share/qvn/en/workbench.html" ||
  fail "the English workbench.html lacks its topic"
# Every option of every qvn command is in the manual page, which man renders
# without a warning.
man_text=$(MANWIDTH=200 man --warnings -l "$prefix/share/man/man1/qvn.1.gz" 2>"$work/man.err")
[ -s "$work/man.err" ] && { cat "$work/man.err"; fail "warnings from qvn.1"; }
for command in compile play explore graph export; do
  for option in $("$prefix/bin/qvn" "$command" --help | grep -o -- '--[a-z-]*' | sort -u); do
    grep -q -- "$option" <<<"$man_text" || fail "qvn.1 does not describe qvn $command $option"
  done
done
for page in QVN3 QvnMakeW; do
  MANWIDTH=200 man --warnings -l "$prefix/share/man/man1/$page.1.gz" >/dev/null 2>"$work/man.err"
  [ -s "$work/man.err" ] && { cat "$work/man.err"; fail "warnings from $page.1"; }
done
# The Japanese pages, at the customary width too (their lines break only where
# the source's lines end), and found by man -L ja.
for page in "$prefix"/share/man/ja/man1/*.1.gz; do
  for width in 80 200; do
    MANWIDTH=$width man --warnings -l "$page" >/dev/null 2>"$work/man.err"
    [ -s "$work/man.err" ] && { cat "$work/man.err"; fail "warnings from $page"; }
  done
done
for page in qvn QVN3 QvnMakeW; do
  MANPATH="$prefix/share/man" man -L ja -w "$page" | grep -qx "$prefix/share/man/ja/man1/$page.1.gz" ||
    fail "man -L ja $page does not find the Japanese page"
done
man_text=$(MANWIDTH=200 man -l "$prefix/share/man/ja/man1/qvn.1.gz")
for command in compile play explore graph export; do
  for option in $("$prefix/bin/qvn" "$command" --help | grep -o -- '--[a-z-]*' | sort -u); do
    grep -q -- "$option" <<<"$man_text" || fail "the Japanese qvn.1 does not describe qvn $command $option"
  done
done

# ---- The installed qvn compiles a copy of the installed demo as it was built ----
cp -r "$prefix/share/qvn/demo" "$work/demo"
"$prefix/bin/qvn" compile --color=never "$work/demo/demo.src" >"$work/compile.log" ||
  { cat "$work/compile.log"; fail "qvn compile of the installed demo"; }
for extension in qvn qvj Q01 Q02 Q03 Q04; do
  cmp -s "$work/demo/demo.$extension" "$prefix/share/qvn/demo/demo.$extension" ||
    fail "the installed demo.$extension differs from a fresh compile"
done

# ---- Run as a reader who may not write bin/ nor the demo's folder ----
as_reader=()
if [ "$(id -u)" -eq 0 ]; then
  # The superuser may write anywhere: play as nobody instead.
  as_reader=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  mkdir -p "$work/reader"
  chmod 777 "$work/reader"
else
  chmod -R a-w "$prefix/bin" "$prefix/share/qvn"
  mkdir -p "$work/reader"
fi
export XDG_DATA_HOME=$work/reader/data XDG_CONFIG_HOME=$work/reader/config HOME=$work/reader
# LeakSanitizer cannot run under a changed user; leaks are checked elsewhere.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
(cd "$prefix" && find . | sort) >"$work/before.txt"

"${as_reader[@]}" "$prefix/bin/qvn" play --slot=2 --choose=1 \
  "$prefix/share/qvn/demo/demo.qvn" >"$work/play.log" 2>&1 ||
  { cat "$work/play.log"; fail "qvn play of the installed demo"; }
grep -q "図書館" "$work/play.log" || { cat "$work/play.log"; fail "qvn play showed no page"; }
saved=$(find "$XDG_DATA_HOME/qvn" -iname demo.Q02)
[ -n "$saved" ] || fail "qvn play kept no slot under \$XDG_DATA_HOME/qvn"
cmp -s "$saved" "$prefix/share/qvn/demo/demo.Q02" && fail "qvn play did not save into slot 2"
rm -rf "$XDG_DATA_HOME"

# QVN3 offscreen on the installed demo: its story open copies the fresh slots
# into the fall-back folder before it asks for a slot.
QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy \
  "${as_reader[@]}" "$prefix/bin/QVN3" "$prefix/share/qvn/demo/demo.qvn" >"$work/qvn3.log" 2>&1 &
reader_pid=$!
for _ in $(seq 300); do
  [ -n "$(find "$XDG_DATA_HOME/qvn" -iname demo.Q04 2>/dev/null)" ] && break
  kill -0 "$reader_pid" 2>/dev/null || { cat "$work/qvn3.log"; fail "QVN3 ended at start"; }
  sleep 0.1
done
[ -n "$(find "$XDG_DATA_HOME/qvn" -iname demo.Q04 2>/dev/null)" ] ||
  { cat "$work/qvn3.log"; fail "QVN3 did not open the installed demo"; }
kill -0 "$reader_pid" 2>/dev/null || { cat "$work/qvn3.log"; fail "QVN3 ended while opening"; }
kill "$reader_pid"
wait "$reader_pid" 2>/dev/null || true
reader_pid=

# On an X screen: the windows carry their icons, and closing them writes the
# settings into $XDG_CONFIG_HOME/qvn/ since bin/ may not be written.
iconed_window_of() {  # pid: a visible window of that process that carries a 48x48 icon
  for _ in $(seq 300); do
    for window in $(xdotool search --pid "$1" --onlyvisible 2>/dev/null || true); do
      if xprop -id "$window" _NET_WM_ICON 2>/dev/null | grep -q "Icon (48 x 48)"; then
        echo "$window"
        return 0
      fi
    done
    kill -0 "$1" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}
visible_windows() {
  xdotool search --pid "$1" --onlyvisible 2>/dev/null | wc -l
}
wait_for_end() {  # pid
  for _ in $(seq 300); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}
if command -v Xvfb >/dev/null && command -v xdotool >/dev/null && command -v xprop >/dev/null; then
  # -noreset: a server that resets when QVN3 closes refuses QvnMakeW meanwhile.
  Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
  xvfb_pid=$!
  trap 'kill "$xvfb_pid" 2>/dev/null || true; cleanup' EXIT
  for _ in $(seq 300); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] && kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start"
  export DISPLAY=:$(cat "$work/display")
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  xdpyinfo >/dev/null 2>&1 || fail "Xvfb on $DISPLAY accepts no connection"
  unset QT_QPA_PLATFORM

  for program in QVN3 QvnMakeW; do
    SDL_AUDIODRIVER=dummy "${as_reader[@]}" "$prefix/bin/$program" >"$work/$program.log" 2>&1 &
    reader_pid=$!
    window=$(iconed_window_of "$reader_pid") ||
      { cat "$work/$program.log"; fail "no $program window with its icon"; }
    xdotool windowfocus --sync "$window"
    if [ "$program" = QVN3 ]; then
      xdotool key ctrl+q
    else
      # File menu, then its Exit item once the menu is up.
      xdotool key alt+f
      for _ in $(seq 100); do [ "$(visible_windows "$reader_pid")" -gt 1 ] && break; sleep 0.1; done
      xdotool key x
    fi
    wait_for_end "$reader_pid" || fail "$program did not close"
    reader_pid=
  done
  [ -f "$XDG_CONFIG_HOME/qvn/qvn.ini" ] || fail "QVN3 kept no settings in \$XDG_CONFIG_HOME/qvn"
  [ -f "$XDG_CONFIG_HOME/qvn/QvnMakeW.ini" ] ||
    fail "QvnMakeW kept no settings in \$XDG_CONFIG_HOME/qvn"
fi

(cd "$prefix" && find . | sort) >"$work/after.txt"
diff "$work/before.txt" "$work/after.txt" || fail "running the programs wrote into the prefix"
echo "install test passed"
