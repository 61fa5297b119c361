#!/usr/bin/env bash
# --help of the window programs in the locale's language, from the build
# folder: English under en_US and en_GB, Japanese under ja_JP and C.
#   help_language_test.sh PROGRAM...
set -euo pipefail
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
for path in "$@"; do
  program=$(basename "$path")
  for row in en_US.UTF-8:usage en_GB.UTF-8:usage ja_JP.UTF-8:使い方 C.UTF-8:使い方; do
    locale=${row%%:*}
    word=${row#*:}
    help=$(env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG="$locale" "$path" --help)
    first=$(head -n 1 <<<"$help")
    case "$first" in
      "$word: $program ["*) ;;
      *) fail "$program --help under $locale begins '$first'" ;;
    esac
    grep -q -- "--manual-path" <<<"$help" || fail "$program --help under $locale: no --manual-path"
    if [ "$word" = usage ] && LC_ALL=C grep -q '[^ -~]' <<<"$help"; then
      fail "$program --help under $locale is not plain ASCII"
    fi
  done
  # The version reads the same in every language.
  [ "$(LANG=en_US.UTF-8 "$path" --version)" = "$(LANG=C.UTF-8 "$path" --version)" ] ||
    fail "$program --version differs by language"
done
echo "help texts follow the locale"
