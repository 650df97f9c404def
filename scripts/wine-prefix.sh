#!/usr/bin/env bash
# Boots the checkout's Wine prefix once and sets it up as a Chinese Windows
# would be: 宋体 present, title-bar fonts present, windows unmanaged.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
stamp=$WINEPREFIX/.jianpu-ready
[ -f "$stamp" ] && exit 0

echo "setup: preparing Wine prefix $WINEPREFIX"
rm -rf "$WINEPREFIX"
mkdir -p "$(dirname "$WINEPREFIX")"
"$WINE" wineboot -i >/dev/null 2>&1
"$WINESERVER" -w

cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"

cjk="AR PL UMing CN"
reg=$(mktemp --suffix=.reg)
{
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\r\n'
  for face in "宋体" "SimSun" "新宋体" "NSimSun"; do
    printf '"%s"="%s"\r\n' "$face" "$cjk"
  done
  printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n"Decorated"="Y"\r\n'
} | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$reg"
"$WINE" regedit /S "Z:${reg//\//\\}" >/dev/null 2>&1
"$WINESERVER" -w
rm -f "$reg"
touch "$stamp"
