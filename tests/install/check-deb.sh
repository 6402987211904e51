#!/usr/bin/env bash
# Builds the two .deb packages with cpack, has lintian check them, and on this machine with
# apt-get: installs the tool's package alone and uses it (units, and thumbnails through the
# desktops' thumbnail services, see check-thumbnails.sh), removes it and checks that nothing of
# it is left; then installs the editor with it, removes the editor alone, then the tool, and
# checks again. It changes the machine, so it runs only in CI (CI=true) or when asked for
# (TARNWICK_DEB_TEST=1); otherwise it is skipped.
# Usage: check-deb.sh BUILD_DIR DEMO_DATA_PROGRAM
set -u
build=$1
demo=$2
here=$(dirname "$(realpath "$0")")
if [ "${CI:-}" != true ] && [ "${TARNWICK_DEB_TEST:-}" != 1 ]; then
    echo "skipped: installs packages; run with TARNWICK_DEB_TEST=1 (as root or with sudo)"
    exit 77
fi
asRoot=()
[ "$(id -u)" -eq 0 ] || asRoot=(sudo -n)
isInstalled() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}
for package in tarnwick tarnwick-tool; do
    if isInstalled "$package"; then
        echo "FAIL: a $package package is installed already; this test will not replace it"
        exit 1
    fi
done
work=$(mktemp -d)
chmod 755 "$work"  # apt's unprivileged download user reads the packages from here
apt() {
    DEBIAN_FRONTEND=noninteractive "${asRoot[@]}" apt-get "$@" >"$work/apt.log" 2>&1 || {
        cat "$work/apt.log"
        return 1
    }
}
cleanUp() {
    for package in tarnwick tarnwick-tool; do
        isInstalled "$package" && apt remove -y --purge "$package"
    done
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
tool=$(compgen -G "$work/tarnwick-tool_*.deb")
editor=$(compgen -G "$work/tarnwick_*.deb")
[ -f "$tool" ] && [ -f "$editor" ] || { echo "FAIL: not both packages in $work"; exit 1; }
for deb in "$tool" "$editor"; do
    echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"
    echo "depends: $(dpkg-deb -f "$deb" Depends)"
    findings=$(lintian --fail-on error,warning "$deb" 2>/dev/null) || fail "lintian: $findings"
    echo "lintian: ${findings:-no error, no warning}"
done
# The tool needs Qt Core and libpng, not the editor's widgets or sound.
dpkg-deb -f "$tool" Depends | grep -q 'libqt6core6' || fail "shlibdeps found no Qt Core for the tool"
! dpkg-deb -f "$tool" Depends | grep -q 'libqt6widgets6\|libqt6multimedia6' ||
    fail "the tool's package pulls in the editor's libraries"
toolContents=$(dpkg-deb -c "$tool")
grep -q '/usr/share/thumbnailers/.*\.thumbnailer$' <<<"$toolContents" || fail "the tool has no thumbnailer"
grep -q '/usr/share/mime/packages/' <<<"$toolContents" || fail "the tool has no file types"
# The editor's module of the host link and the sound device is packed, and what it needs with it.
dpkg-deb -c "$editor" | grep '/tarnwick/modules/tarnwick-devices\.so$' >/dev/null ||
    fail "no tarnwick-devices.so"
dpkg-deb -f "$editor" Depends | grep -q 'libqt6multimedia6' || fail "no Qt Multimedia dependency"
dpkg-deb -f "$editor" Depends | grep -q "^tarnwick-tool (= $(dpkg-deb -f "$tool" Version))" ||
    fail "the editor does not depend on the tool of its version"

# Every file of a package, to see that none is left after it is removed.
filesOf() {
    dpkg -L "$1" | while read -r path; do [ -d "$path" ] || echo "$path"; done
}
checkGone() {
    ! isInstalled "$1" || fail "$1 is still installed after removal"
    while read -r path; do
        [ ! -e "$path" ] || fail "$path is left after removal"
    done <<<"$2"
}

# The tool alone.
apt install -y "$tool" || { echo "FAIL: apt-get install the tool"; exit 1; }
toolFiles=$(filesOf tarnwick-tool)
echo "the tool installed $(wc -l <<<"$toolFiles") files"
[ "$(command -v tarnwick-tool)" = /usr/bin/tarnwick-tool ] || fail "tarnwick-tool is not on PATH"
! command -v tarnwick >/dev/null || fail "the editor came with the tool"
"$demo" scenario "$work/made.pud"
tarnwick-tool units "$work/made.pud" | wc -l | grep -qx 110 || fail "tarnwick-tool units"
type=$(env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION xdg-mime query filetype "$work/made.pud")
[ "$type" = application/x-warcraft2-scenario ] || fail "the system calls a scenario $type"
bash "$here/check-thumbnails.sh" "$demo" /usr tumbler gnome || fail "thumbnails of the tool's package"
apt remove -y --purge tarnwick-tool || fail "apt-get remove the tool"
checkGone tarnwick-tool "$toolFiles"

# The editor with it; the editor goes alone, then the tool.
apt install -y "$tool" "$editor" || { echo "FAIL: apt-get install both"; exit 1; }
editorFiles=$(filesOf tarnwick)
toolFiles=$(filesOf tarnwick-tool)
[ "$(command -v tarnwick)" = /usr/bin/tarnwick ] || fail "tarnwick is not on PATH"
env -u DISPLAY -u WAYLAND_DISPLAY tarnwick --version | grep -q '^tarnwick [0-9]' ||
    fail "tarnwick --version"
apt remove -y --purge tarnwick || fail "apt-get remove the editor"
checkGone tarnwick "$editorFiles"
tarnwick-tool sections "$work/made.pud" | head -1 | grep -qx 'TYPE 16' ||
    fail "the tool does not work once the editor is gone"
apt remove -y --purge tarnwick-tool || fail "apt-get remove the tool"
checkGone tarnwick-tool "$toolFiles"
! command -v tarnwick-tool >/dev/null || fail "tarnwick-tool is still on PATH"

[ "$failures" -eq 0 ] && echo "the packages install, work and go away whole"
exit $((failures > 0))
