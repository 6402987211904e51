#!/usr/bin/env bash
# Plants small faults one at a time and runs the tests against each: a fault that no test
# catches is a hole in the tests. Not part of the suite (it builds and tests once per fault).
#   bash tests/mutation/plant-faults.sh [FAULTS] [CTEST-REGEX]
# FAULTS (default tests/mutation/faults.txt) holds one fault a line, three fields separated by
# tabs: a file, a text that occurs in it exactly once, and the text to put in its place. Lines
# that start with '#' are comments. CTEST-REGEX narrows the tests run (default: every test but
# the pictures and the package). The build in build/ must be configured already.
set -euo pipefail
cd "$(dirname "$0")/../.."

faults=${1:-tests/mutation/faults.txt}
only=${2:-}
export QT_QPA_PLATFORM=offscreen

planted=0 killed=0 skipped=0
survivors=()
restore() {
    if [ -n "${current:-}" ] && [ -f "$backup" ]; then
        cp -p "$backup" "$current"
        current=
    fi
}
backup=$(mktemp)
trap 'restore; rm -f "$backup"' EXIT

while IFS=$'\t' read -r file from to; do
    case "$file" in '' | '#'*) continue ;; esac
    count=$(FROM="$from" perl -0ne '$n = () = /\Q$ENV{FROM}\E/g; print $n' "$file")
    if [ "$count" != 1 ]; then
        echo "skip (found $count times): $file: $from"
        skipped=$((skipped + 1))
        continue
    fi
    cp -p "$file" "$backup"
    current=$file
    FROM="$from" TO="$to" perl -0pi -e 's/\Q$ENV{FROM}\E/$ENV{TO}/' "$file"
    if ! cmake --build build -j2 >/dev/null 2>&1; then
        echo "skip (does not build): $file: $from -> $to"
        skipped=$((skipped + 1))
        restore
        continue
    fi
    planted=$((planted + 1))
    filter=(-E 'docs\.screenshots|install\.')
    [ -n "$only" ] && filter=(-R "$only" -E 'docs\.screenshots|install\.')
    if (cd build && ctest -j2 --timeout 300 --stop-on-failure "${filter[@]}" >/dev/null 2>&1); then
        echo "SURVIVED: $file: $from -> $to"
        survivors+=("$file: $from -> $to")
    else
        echo "killed:   $file: $from -> $to"
        killed=$((killed + 1))
    fi
    restore
done <"$faults"

cmake --build build -j2 >/dev/null 2>&1 || true
echo "killed $killed of $planted planted ($skipped skipped)"
[ ${#survivors[@]} -eq 0 ]
