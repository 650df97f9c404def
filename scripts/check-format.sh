#!/usr/bin/env bash
# Fails when a C++ source of the tree differs from what .clang-format makes of it, naming each one.
# With paths given, checks only those files; with --changed, the sources that differ from the last
# commit or are not yet tracked.
set -uo pipefail
cd "$(dirname "$0")/.."
format=$(command -v clang-format-14 || command -v clang-format) || {
    echo "check-format: clang-format is missing" >&2
    exit 2
}

if [ "${1:-}" = --changed ]; then
    mapfile -t files < <({ git diff --name-only --diff-filter=d HEAD -- '*.cpp' '*.h' '*.hpp' '*.cc'
        git ls-files --others --exclude-standard -- '*.cpp' '*.h' '*.hpp' '*.cc'; } | sort -u)
    if ((${#files[@]} == 0)); then
        echo "check-format: no changed files"
        exit 0
    fi
elif (($#)); then
    files=("$@")
else
    mapfile -t files < <(git ls-files '*.cpp' '*.h' '*.hpp' '*.cc')
fi

differ=$(printf '%s\0' "${files[@]}" |
    xargs -0 -n 40 -P 3 "$format" --style=file --dry-run --Werror 2>&1 |
    sed -n -E 's/^([^:]+):[0-9]+:[0-9]+: error: code should be clang-formatted.*/\1/p' | sort -u)
if [ -n "$differ" ]; then
    sed 's/^/check-format: differs from .clang-format: /' <<<"$differ"
    echo "check-format: ${#files[@]} files, $(wc -l <<<"$differ") differ"
    exit 1
fi
echo "check-format: ${#files[@]} files, none differ"
