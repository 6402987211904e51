#!/usr/bin/env bash
# Follows the guide's walkthrough word for word: every shell block marked "<!-- walkthrough -->"
# runs, in order, in a fresh folder where `build` is the build tree, as a user runs it from the
# repository's top; each must exit 0 (or the status its marker names, "<!-- walkthrough exit
# 1 -->"), and a block marked "<!-- walkthrough output -->" must be exactly what the commands
# before it printed.
# Usage: check-walkthrough.sh GUIDE BUILD_DIR
set -u
guide=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
buildDir=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ln -s "$buildDir" "$work/build"
cd "$work"

failures=0
blocks=0
marker=""
inBlock=false
block=""
printed=""
while IFS= read -r line; do
    if $inBlock; then
        if [ "$line" = '```' ]; then
            inBlock=false
            if [ "$marker" = output ]; then
                [ "$printed" = "$block" ] ||
                    { echo "FAIL: printed"; echo "$printed"; echo "where the guide shows"; echo "$block"; failures=$((failures + 1)); }
            else
                blocks=$((blocks + 1))
                expected=${marker#exit }
                [ "$marker" = run ] && expected=0
                printed=$(bash -c "set -e; $block" 2>"$work/stderr")
                status=$?
                [ "$status" -eq "$expected" ] ||
                    { echo "FAIL: exit status $status, not $expected:"; echo "$block"; cat "$work/stderr"; failures=$((failures + 1)); }
            fi
            marker=""
        else
            block+="${block:+$'\n'}$line"
        fi
    elif [[ $line =~ ^\<!--\ walkthrough(\ (output|exit\ [0-9]+))?\ --\>$ ]]; then
        marker=${BASH_REMATCH[2]:-run}
    elif [ -n "$marker" ] && [[ $line == '```'* ]]; then
        inBlock=true
        block=""
    fi
done <"$guide"

[ "$blocks" -ge 4 ] || { echo "FAIL: only $blocks walkthrough blocks found"; failures=$((failures + 1)); }
echo "$blocks walkthrough blocks run, $failures failures"
[ "$failures" -eq 0 ]
