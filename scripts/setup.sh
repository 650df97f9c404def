#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks for building, running and
# testing the editor, and prepares the Wine prefix. Safe to run again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

packages=(
  cmake ninja-build g++ make pkg-config libgtest-dev googletest
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth x11-utils fonts-wine fonts-arphic-uming locales
  clang libclang-rt-14-dev python3-fonttools imagemagick pngcheck python3-mido midicsv
  python3-pil fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo=""; [ "$(id -u)" = 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine reports code page 936 only when the Chinese UTF-8 locale really exists.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
  echo "setup: generating zh_CN.UTF-8"
  sudo=""; [ "$(id -u)" = 0 ] || sudo=sudo
  $sudo localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi

"$root/scripts/wine-prefix.sh"
