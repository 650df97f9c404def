#!/usr/bin/env bash
# Builds the Windows preset and starts Tavolin under Wine. Without a display
# it runs on a virtual one, saves a screenshot of the main window to
# build/screenshot.png, closes the program and exits 0.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/wine-env.sh

[ -f build/win/build.ninja ] || cmake --preset win >/dev/null
cmake --build --preset win
exe=build/win/bin/Tavolin.exe

if [ -n "${DISPLAY:-}" ]; then
    exec "$WINE" "$exe" "$@"
fi

xvfb_pid=""
cleanup() {
    "$WINESERVER" -k >/dev/null 2>&1 || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" >/dev/null 2>&1 || true
}
trap cleanup EXIT
fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$fifo" >/dev/null 2>&1 &
xvfb_pid=$!
read -r -t 30 display <"$fifo"
rm -f "$fifo"
export DISPLAY=":$display"

"$WINE" "$exe" "$@" &
caption="Tavolin--"
window=""
for _ in $(seq 1 120); do
    window=$(xwininfo -root -tree 2>/dev/null | grep -F "\"$caption" | awk '{print $1}' | head -n1 || true)
    [ -n "$window" ] && break
    sleep 0.5
done
if [ -z "$window" ]; then
    echo "run: the main window did not appear" >&2
    exit 1
fi
sleep 2  # let the first paint finish
import -window "$window" build/screenshot.png
echo "run: screenshot of the main window saved to build/screenshot.png"
