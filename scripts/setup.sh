#!/usr/bin/env bash
# Installs what the build and the tests need and is not there yet; quick when
# everything is present.
set -euo pipefail

packages=(cmake make g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
          binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
          wine wine64 wine32:i386 xvfb xauth locales googletest
          python3 fonts-dejavu-core imagemagick nsis fonts-wine)

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# The shipped DLL is 32-bit: its tests run under 32-bit Wine.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "setup: adding the i386 architecture for 32-bit Wine"
    as_root dpkg --add-architecture i386
fi

missing=()
for p in "${packages[@]}"; do installed "$p" || missing+=("$p"); done
if [ "${#missing[@]}" -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    # A mirror caught mid-sync fails an index now and then: try again. If the
    # security lists of one architecture still do not arrive, the two
    # architectures' candidates differ; the release's own point versions
    # then agree in both.
    release=()
    for attempt in 1 2 3; do
        if as_root apt-get update; then release=(); break; fi
        echo "setup: the package lists did not all arrive (try $attempt of 3)"
        release=(-t "$(. /etc/os-release && echo "$VERSION_CODENAME")")
        [ "$attempt" -lt 3 ] && sleep $((attempt * 10))
    done
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
        --no-remove "${release[@]}" "${missing[@]}"
fi

# The users' machines run with the Cyrillic ANSI code page; Wine takes it from
# a Russian locale.
if ! locale -a 2>/dev/null | grep -qix 'ru_RU\.utf-\?8'; then
    echo "setup: generating the ru_RU.UTF-8 locale"
    if grep -q '^# *ru_RU.UTF-8 UTF-8' /etc/locale.gen; then
        as_root sed -i 's/^# *\(ru_RU.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    elif ! grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen; then
        echo 'ru_RU.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    fi
    as_root locale-gen
fi
