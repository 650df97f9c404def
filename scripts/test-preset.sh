#!/usr/bin/env bash
# Builds one preset and runs its tests; writes its count of test cases to
# build/<preset>/summary.txt. Arguments after the preset go to ctest.
set -uo pipefail
preset=$1
shift
cd "$(dirname "$0")/.."
summary=build/$preset/summary.txt
mkdir -p "build/$preset"

echo "== $preset: build"
if ! { [ -f "build/$preset/build.ninja" ] || cmake --preset "$preset" >/dev/null; } ||
   ! cmake --build --preset "$preset"; then
    echo "$preset: build failed" >"$summary"
    exit 1
fi

echo "== $preset: tests"
rm -f "build/$preset/bin/"*.xml
ctest --preset "$preset" "$@" | tee "build/$preset/ctest.log"
status=${PIPESTATUS[0]}

# gtest counts from the XML that every test program writes.
tests=0 failures=0
for x in "build/$preset/bin/"*.xml; do
    [ -f "$x" ] || continue
    head=$(grep -m1 -o '<testsuites tests="[0-9]*" failures="[0-9]*"' "$x")
    t=$(sed -E 's/.*tests="([0-9]+)".*/\1/' <<<"$head")
    f=$(sed -E 's/.*failures="([0-9]+)".*/\1/' <<<"$head")
    tests=$((tests + ${t:-0}))
    failures=$((failures + ${f:-0}))
done
# Programs without XML (fuzzers, scripts) count by ctest's own line.
if [ $tests -eq 0 ]; then
    line=$(grep -E 'tests passed, [0-9]+ tests? failed out of' "build/$preset/ctest.log" | tail -n1)
    tests=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
    failures=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
    tests=${tests:-0} failures=${failures:-0}
fi
[ $status -ne 0 ] && [ $failures -eq 0 ] && failures=1  # a crash writes no XML
echo "$preset: $((tests - failures)) passed, $failures failed" >"$summary"
exit $status
