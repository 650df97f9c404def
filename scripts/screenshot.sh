#!/usr/bin/env bash
# Starts Tavolin, waits until its main window has drawn, saves a picture of
# it to $1 and leaves (the caller stops Wine).
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
out=$1
shift

"$WINE" build/win/bin/Tavolin.exe "$@" &
window=""
for _ in $(seq 1 120); do
    window=$(xwininfo -root -tree 2>/dev/null | grep -F '"Tavolin--' | awk '{print $1}' | head -n1)
    [ -n "$window" ] && break
    sleep 0.5
done
if [ -z "$window" ]; then
    echo "run: the main window did not appear" >&2
    exit 1
fi
sleep 2  # let the first paint finish
import -window "$window" "$out"
echo "run: screenshot of the main window saved to $out"
