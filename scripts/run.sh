#!/usr/bin/env bash
# Builds the Windows preset and starts Tavolin under Wine. Without a display
# it runs on a virtual one and saves a screenshot of the main window.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh

[ -f build/win/build.ninja ] || cmake --preset win >/dev/null
# The program and its libraries only; `make test` builds the tests.
cmake --build --preset win --target program

if [ -n "${DISPLAY:-}" ]; then
    exec "$WINE" build/win/bin/Tavolin.exe "$@"
fi
exec scripts/with-wine-display.sh scripts/screenshot.sh build/screenshot.png "$@"
