#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks for building, running and
# testing the editor, and prepares the Wine prefix. Safe to run again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# Each step says what it does; a failure names the step, its command and its status, with the
# last lines of what the command printed.
step="starting"
log=$(mktemp)
trap 'status=$?; echo "setup: failed while ${step} (exit status ${status})" >&2; tail -n 20 "$log" >&2; rm -f "$log"' ERR
trap 'rm -f "$log"' EXIT
sudo=""
[ "$(id -u)" = 0 ] || sudo=sudo
# Another install running holds the package manager's lock: wait for it, up to ten minutes.
apt_get() {
  DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=600 "$@" >>"$log" 2>&1
}

packages=(
  cmake ninja-build g++ make pkg-config libgtest-dev googletest
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth x11-utils fonts-wine fonts-arphic-uming locales
  clang libclang-rt-14-dev python3-fonttools imagemagick pngcheck python3-mido midicsv
  python3-pil fonts-dejavu-core clang-format ccache
  cups cups-daemon cups-client printer-driver-cups-pdf ghostscript poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  step="updating the package lists (apt-get update)"
  apt_get update -qq
  step="installing ${missing[*]} (apt-get install)"
  apt_get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Wine reports code page 936 only when the Chinese UTF-8 locale really exists.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
  echo "setup: generating zh_CN.UTF-8"
  step="generating the zh_CN.UTF-8 locale (localedef)"
  $sudo localedef -i zh_CN -f UTF-8 zh_CN.UTF-8 >>"$log" 2>&1
fi

step="preparing the Wine prefix (scripts/wine-prefix.sh)"
"$root/scripts/wine-prefix.sh" 2>&1 | tee -a "$log"
