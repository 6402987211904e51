#!/usr/bin/env bash
# The editor started as a user starts it, up to its first paint, loads neither Qt Network nor Qt
# Multimedia (nor its module of both): they cost every start much of its time, and only plug-in
# mode and the About box's sound load them, on first use. The dynamic loader's own record of
# every library it maps is read, so a library pulled in by any route counts.
# Usage: start-leaves-devices-unloaded.sh TARNWICK DEMO_DATA_PROGRAM
set -u
editor=$1
demo=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# A user's second start: the game directory is known.
"$demo" gamedir "$work/game" >/dev/null || fail "no game directory made"
mkdir -p "$work/config/Tarnwick"
printf '[General]\nWar2Dir=%s\n' "$work/game" >"$work/config/Tarnwick/Tarnwick.conf"
LD_DEBUG=files LD_DEBUG_OUTPUT="$work/loaded" XDG_CONFIG_HOME="$work/config" \
    QT_QPA_PLATFORM=offscreen TARNWICK_QUIT_AFTER_FIRST_PAINT=1 timeout 60 "$editor" ||
    fail "the editor did not end with status 0 after its first paint"
loaded=$(cat "$work"/loaded.* 2>/dev/null | sed -n 's/.*file=\([^ ]*\).*/\1/p' | sort -u)
# The record must be there and whole: the window's own libraries are in it.
grep -q 'libQt6Widgets' <<<"$loaded" || fail "no record of the libraries loaded: $loaded"
for library in libQt6Network libQt6Multimedia tarnwick-devices; do
    ! grep -q "$library" <<<"$loaded" || fail "the start loads $library"
done
[ "$failures" -eq 0 ] || exit 1
echo "the start loads $(wc -l <<<"$loaded") libraries, none of the devices"
