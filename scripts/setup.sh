#!/usr/bin/env bash
# Installs the Debian packages the build, the programs and the tests need.
# Idempotent: only missing packages are installed, and apt-get update runs
# only when something is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-svg-dev libgl-dev
  libsdl2-mixer-dev fluidsynth fluid-soundfont-gm timgm6mb-soundfont
  libjpeg62-turbo-dev
  fonts-ipafont-gothic fonts-ipafont-mincho
  xvfb x11-apps x11-utils xauth imagemagick
  clang libclang-rt-14-dev
  fonts-liberation2 qt6-translations-l10n qt6-l10n-tools
  libgraphviz-dev libxml2-dev
  desktop-file-utils appstream lintian dpkg-dev fakeroot file
  shared-mime-info xdg-utils libfile-mimeinfo-perl
  xdotool vorbis-tools lame flac
  ccache strace
  at-spi2-core python3-pyatspi dbus
  qt6-speech-dev qt6-declarative-dev qt6-speech-speechd-plugin qt6-speech-flite-plugin
  pulseaudio
  emscripten chromium
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

# npm comes with some builds of node; Debian's own package otherwise.
if ! command -v npm >/dev/null 2>&1; then
  missing+=(npm)
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo=(sudo)
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# puppeteer-core drives the installed chromium in the web reader's tests; its
# version is pinned by tests/web/package-lock.json. No browser is downloaded.
web_tests="$(dirname "$0")/../tests/web"
if [ ! -f "$web_tests/node_modules/.package-lock.json" ] ||
   [ "$web_tests/package-lock.json" -nt "$web_tests/node_modules/.package-lock.json" ]; then
  (cd "$web_tests" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund)
fi
