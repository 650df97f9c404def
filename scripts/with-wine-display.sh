#!/usr/bin/env bash
# Runs a command with a virtual display of its own and a persistent Wine
# server for the checkout's prefix (or $JP_WINEPREFIX), then stops both.
#   scripts/with-wine-display.sh ctest --test-dir build/win
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"
"$(dirname "$0")/wine-prefix.sh"

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
display=""
read -r -t 30 display <"$fifo"
rm -f "$fifo"
if [ -z "$display" ]; then
    echo "with-wine-display: Xvfb did not start" >&2
    exit 1
fi
export DISPLAY=":$display"
# Started with its output elsewhere, or ctest would wait for it to close the pipe.
"$WINESERVER" -p >/dev/null 2>&1 </dev/null
# Start the prefix's services and desktop once, before programs start side by
# side: processes that race to start them can hang at exit.
"$WINE" cmd /c exit >/dev/null 2>&1 </dev/null
"$@"
