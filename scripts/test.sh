#!/usr/bin/env bash
# Builds every preset and runs every test: native, native under sanitizers,
# and the Windows build under Wine on a virtual display of its own.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/wine-env.sh

status=0
summary=()

# gtest counts from the XML files that the test programs wrote.
count_cases() {
    local dir=$1 name=$2 tests=0 failures=0 t f
    for x in "$dir"/*.xml; do
        [ -f "$x" ] || continue
        t=$(grep -m1 -o '<testsuites tests="[0-9]*"' "$x" | grep -o '[0-9]*$')
        f=$(grep -m1 -o '<testsuites tests="[0-9]*" failures="[0-9]*"' "$x" | grep -o '[0-9]*$')
        tests=$((tests + ${t:-0}))
        failures=$((failures + ${f:-0}))
    done
    summary+=("$name: $((tests - failures)) passed, $failures failed")
}

run_preset() {
    local preset=$1
    echo "== $preset: build"
    if ! { [ -f "build/$preset/build.ninja" ] || cmake --preset "$preset" >/dev/null; } ||
       ! cmake --build --preset "$preset"; then
        echo "== $preset: BUILD FAILED"
        summary+=("$preset: build failed")
        status=1
        return
    fi
    echo "== $preset: tests"
    rm -f "build/$preset/bin/"*.xml
    ctest --preset "$preset" || status=1
    count_cases "build/$preset/bin" "$preset"
}

run_preset native
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 run_preset native-asan

# Wine needs a display for its windows and one persistent server, so that
# every test program does not boot the prefix again.
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
read -r -t 30 display <"$fifo" || true
rm -f "$fifo"
if [ -z "${display:-}" ]; then
    echo "== win: Xvfb did not start"
    status=1
else
    export DISPLAY=":$display"
    "$WINESERVER" -p >/dev/null 2>&1 </dev/null
    run_preset win
fi

echo
echo "== summary (test cases)"
for line in "${summary[@]}"; do echo "$line"; done
exit $status
