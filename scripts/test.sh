#!/usr/bin/env bash
# Builds every preset and runs every test: native, native under sanitizers,
# and the Windows build under Wine on a virtual display of its own.
set -uo pipefail
cd "$(dirname "$0")/.."
status=0

# A source that differs from .clang-format fails the run (JP_FORMAT_CHECK=0 skips it while editing).
if [ "${JP_FORMAT_CHECK:-1}" = 1 ]; then
    echo "== format"
    scripts/check-format.sh || status=1
else
    echo "== format: check skipped"
fi

scripts/test-preset.sh native || status=1
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    scripts/test-preset.sh native-asan || status=1
scripts/with-wine-display.sh scripts/test-preset.sh win || status=1
scripts/test-preset.sh fuzz || status=1

echo
echo "== summary (test cases)"
cat build/native/summary.txt build/native-asan/summary.txt build/win/summary.txt build/fuzz/summary.txt 2>/dev/null
exit $status
