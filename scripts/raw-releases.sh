#!/usr/bin/env bash
# Fails when code outside win/ and com/ releases a device context, an input context, a VARIANT or
# a safe array's data by hand: the owners there release on every path, a hand-written release
# misses the early return. Usage: raw-releases.sh [source root]
set -uo pipefail
cd "${1:-$(dirname "$0")/..}" || exit 2
# Every top folder but the build trees and hidden ones.
folders=$(find . -mindepth 1 -maxdepth 1 -type d ! -name build ! -name '.*' ! -name win ! -name com -printf '%P\n')
found=$(grep -rnE '\b(ReleaseDC|VariantClear|ImmReleaseContext|SafeArrayUnaccessData)[[:space:]]*\(' \
            --include='*.cpp' --include='*.h' $folders)
if [ -n "$found" ]; then
    echo "raw release outside win/ and com/ (owners: win::WindowDc, win::ImeContext, com::Variant, com::SafeArrayData):"
    echo "$found"
    exit 1
fi
