#!/usr/bin/env bash
# The thumbnailer as the desktops' own thumbnail services run it: scenarios made under names a
# user gives them, and thumbnails asked for as a file manager asks: from Xfce's tumbler on a
# private session bus, or from GNOME's thumbnail factory. Every scenario must get its thumbnail
# in the cache, showing its minimap. The programs are those installed under PREFIX, or, given a
# build folder, the build installed into a temporary prefix. GNOME's factory runs thumbnailers
# in a sandbox that shows only /usr, so it is asked only about an install there (the package
# test does that). A service that is not installed is skipped (scripts/setup.sh installs both).
# Usage: check-thumbnails.sh DEMO_DATA_PROGRAM BUILD_DIR|PREFIX tumbler|gnome...
set -u
demo=$1
where=$2
shift 2
client=$(dirname "$(realpath "$0")")/thumbnail-client.py
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

prefix=$where
if [ -f "$where/CMakeCache.txt" ]; then
    prefix=$work/prefix
    cmake --install "$where" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }
    update-mime-database "$prefix/share/mime" >/dev/null 2>&1
fi
services=()
for service in "$@"; do
    case $service in
    tumbler)
        if ! compgen -G '/usr/lib/*/tumbler-1/tumblerd' >/dev/null || ! command -v dbus-run-session >/dev/null; then
            echo "skipped: tumbler: no tumblerd or no dbus-run-session"
            continue
        fi ;;
    gnome)
        if ! /usr/bin/python3 -c "import gi; gi.require_version('GnomeDesktop', '4.0')" 2>/dev/null; then
            echo "skipped: gnome: no GnomeDesktop 4.0 for python3-gi"
            continue
        fi
        [ "$prefix" = /usr ] || { echo "FAIL: GNOME's factory runs only what is under /usr"; exit 1; } ;;
    *) echo "FAIL: no service $service"; exit 1 ;;
    esac
    services+=("$service")
done
[ ${#services[@]} -gt 0 ] || exit 77

# Names with blanks, brackets, quotes, letters beyond ASCII and a folder with a blank in it.
made=$work/files
mkdir -p "$made/my maps/Ölfelder"
"$demo" scenario "$made/plain.pud" >/dev/null || { echo "FAIL: no scenario made"; exit 1; }
for name in "my map (1).pud" "it's \"quoted\".pud" "Kärte für Über.pud" "UPPER.PUD" \
    "my maps/two  blanks.pud" "my maps/Ölfelder/Ü [3] & co.pud" "#hash%20.pud" "semi;colon.pud"; do
    cp "$made/plain.pud" "$made/$name"
done
mapfile -t scenarios < <(find "$made" -type f | sort)
# The picture each must show: the minimap at the thumbnail size of a file manager's icon view.
"$prefix/bin/tarnwick-tool" minimap "$made/plain.pud" "$work/reference.png" --size 128 ||
    { echo "FAIL: no reference minimap"; exit 1; }

for service in "${services[@]}"; do
    home=$work/home-$service
    mkdir -p "$home"
    session=(env -u DBUS_SESSION_BUS_ADDRESS HOME="$home" XDG_CACHE_HOME="$home/cache"
             XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config"
             XDG_DATA_DIRS="$prefix/share:/usr/share" PATH="$prefix/bin:$PATH" LC_ALL=C.UTF-8)
    if [ "$service" = tumbler ]; then
        # The bus starts tumblerd on the first call, as in a desktop session.
        "${session[@]}" timeout 300 dbus-run-session -- \
            /usr/bin/python3 "$client" tumbler "$work/reference.png" "${scenarios[@]}"
    else
        "${session[@]}" timeout 300 /usr/bin/python3 "$client" gnome "$work/reference.png" \
            "${scenarios[@]}"
    fi || fail "$service did not make every thumbnail"
done

[ "$failures" -eq 0 ] && echo "every scenario has its thumbnail through ${services[*]}"
exit $((failures > 0))
