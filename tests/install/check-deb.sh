#!/usr/bin/env bash
# Builds the .deb with cpack, has lintian check it, installs it on this machine with apt-get,
# uses both programs from PATH, removes the package and checks that nothing of it is left. It
# changes the machine, so it runs only in CI (CI=true) or when asked for (TARNWICK_DEB_TEST=1);
# otherwise it is skipped.
# Usage: check-deb.sh BUILD_DIR DEMO_DATA_PROGRAM
set -u
build=$1
demo=$2
if [ "${CI:-}" != true ] && [ "${TARNWICK_DEB_TEST:-}" != 1 ]; then
    echo "skipped: installs a package; run with TARNWICK_DEB_TEST=1 (as root or with sudo)"
    exit 77
fi
asRoot=()
[ "$(id -u)" -eq 0 ] || asRoot=(sudo -n)
if dpkg-query -W -f='${Status}' tarnwick 2>/dev/null | grep -q "install ok installed"; then
    echo "FAIL: a tarnwick package is installed already; this test will not replace it"
    exit 1
fi
work=$(mktemp -d)
chmod 755 "$work"  # apt's unprivileged download user reads the package from here
installed=false
cleanUp() {
    $installed && DEBIAN_FRONTEND=noninteractive "${asRoot[@]}" apt-get remove -y --purge tarnwick >/dev/null
    rm -rf "$work"
}
trap cleanUp EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

(cd "$build" && cpack -G DEB -B "$work") >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log"
    echo "FAIL: cpack -G DEB"
    exit 1
}
packages=("$work"/tarnwick_*.deb)
deb=${packages[0]}
[ -f "$deb" ] || { echo "FAIL: no package in $work"; exit 1; }
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"
echo "depends: $(dpkg-deb -f "$deb" Depends)"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "shlibdeps found no Qt dependency"
# The editor's module of the host link and the sound device is packed, and what it needs with it.
dpkg-deb -c "$deb" | grep -q '/tarnwick/modules/tarnwick-devices\.so$' || fail "no tarnwick-devices.so"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6multimedia6' || fail "no Qt Multimedia dependency"
findings=$(lintian --fail-on error,warning "$deb" 2>/dev/null) || fail "lintian: $findings"
echo "lintian: ${findings:-no error, no warning}"

DEBIAN_FRONTEND=noninteractive "${asRoot[@]}" apt-get install -y "$deb" >"$work/apt.log" 2>&1 || {
    cat "$work/apt.log"
    echo "FAIL: apt-get install"
    exit 1
}
installed=true
files=$(dpkg -L tarnwick | while read -r path; do [ -d "$path" ] || echo "$path"; done)
echo "installed $(wc -l <<<"$files") files"

[ "$(command -v tarnwick-tool)" = /usr/bin/tarnwick-tool ] || fail "tarnwick-tool is not on PATH"
[ "$(command -v tarnwick)" = /usr/bin/tarnwick ] || fail "tarnwick is not on PATH"
env -u DISPLAY -u WAYLAND_DISPLAY tarnwick --version | grep -q '^tarnwick [0-9]' ||
    fail "tarnwick --version"
"$demo" scenario "$work/made.pud"
tarnwick-tool sections "$work/made.pud" | head -1 | grep -qx 'TYPE 16' || fail "tarnwick-tool sections"
tarnwick-tool units "$work/made.pud" | wc -l | grep -qx 110 || fail "tarnwick-tool units"
type=$(env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION xdg-mime query filetype "$work/made.pud")
[ "$type" = application/x-warcraft2-scenario ] || fail "the system calls a scenario $type"

DEBIAN_FRONTEND=noninteractive "${asRoot[@]}" apt-get remove -y --purge tarnwick >"$work/apt.log" 2>&1 ||
    fail "apt-get remove"
installed=false
! dpkg-query -W -f='${Status}' tarnwick 2>/dev/null | grep -q "install ok installed" ||
    fail "still installed after removal"
while read -r path; do
    [ ! -e "$path" ] || fail "$path is left after removal"
done <<<"$files"
command -v tarnwick-tool >/dev/null && fail "tarnwick-tool is still on PATH"

[ "$failures" -eq 0 ] && echo "the package installs, works and goes away whole"
exit $((failures > 0))
