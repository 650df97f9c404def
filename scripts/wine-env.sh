# Sourced by the scripts that start Wine: one prefix per checkout, a Chinese
# locale so that the ANSI code page is 936, and quiet debug channels.
jp_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${JP_WINEPREFIX:-$jp_root/build/wineprefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all,err+module}
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8
export WINE=/usr/lib/wine/wine64
export WINELOADER=$WINE
export WINESERVER=/usr/lib/wine/wineserver
