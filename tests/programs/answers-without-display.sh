#!/usr/bin/env bash
# The installed programs as a shell user meets them, with no display at all: help and version
# answer on standard output with status 0, usage errors on standard error with status 2.
# Usage: answers-without-display.sh TARNWICK TARNWICK_TOOL RUN_EDITOR_SCRIPT GUIDE
set -u
editor=$1
tool=$2
runEditor=$3
guide=$4
failures=0
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# expect STATUS STDOUT-PATTERN STDERR-PATTERN COMMAND...: empty patterns mean empty streams.
expect() {
    local status=$1 outPattern=$2 errPattern=$3
    shift 3
    local out err code
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" 2>"$errors")
    code=$?
    err=$(cat "$errors")
    [ "$code" -eq "$status" ] || fail "$* exited $code, not $status"
    if [ -z "$outPattern" ]; then
        [ -z "$out" ] || fail "$* wrote to standard output: $out"
    else
        grep -qE "$outPattern" <<<"$out" || fail "$* printed no /$outPattern/: $out"
    fi
    if [ -z "$errPattern" ]; then
        [ -z "$err" ] || fail "$* wrote to standard error: $err"
    else
        grep -qE "$errPattern" <<<"$err" || fail "$* said no /$errPattern/: $err"
    fi
}

# What each option means is tested in-process (EditorCommandLineTest, CommandLineTest); here only
# that the programs answer it without a display, on the right stream with the right status.
version='[0-9]+\.[0-9]+'
expect 0 '^Usage: tarnwick \[FILE\]' '' "$editor" --help
expect 0 "^tarnwick $version\$" '' "$editor" --version
expect 2 '' 'Unknown option "--frobnicate"' "$editor" --frobnicate

expect 0 '^Usage: tarnwick-tool COMMAND' '' "$tool" --help
expect 0 "^tarnwick-tool $version\$" '' "$tool" --version
expect 2 '' 'A command is needed' "$tool"
expect 1 '' '"/nonexistent/file.pud": cannot open' "$tool" sections /nonexistent/file.pud

# The editor's help fits a terminal of 80 columns (the tool's every help: CommandLineTest).
long=$(env -u DISPLAY -u WAYLAND_DISPLAY "$editor" --help | awk 'length > 79')
[ -z "$long" ] || fail "tarnwick --help has lines over 79 columns: $long"

# The start script says what to do before it installs or builds anything: nothing else is printed.
expect 1 '' 'xvfb-run -a bash scripts/run-editor.sh' bash "$runEditor"

# The guide shows `set --help` as the tool prints it.
shown=$(awk '/^##/{inside=0} inside{sub(/^    /, ""); print} /^    \$ tarnwick-tool set --help$/{inside=1}' "$guide")
[ -n "$shown" ] && [ "$shown" = "$("$tool" set --help)" ] || fail "the guide's set --help is not the tool's"

# Both programs report the same version.
[ "$("$editor" --version | cut -d' ' -f2)" = "$("$tool" --version | cut -d' ' -f2)" ] ||
    fail "the programs report different versions"

[ "$failures" -eq 0 ] && echo "all answers as expected"
exit $((failures > 0))
