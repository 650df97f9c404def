#!/usr/bin/env bash
# The emulator that ctest puts in front of every Windows test program.
source "$(dirname "$0")/wine-env.sh"
exec "$WINE" "$@"
