#!/usr/bin/env bash
# Installs the build into a temporary prefix and reads the result as a desktop would: the
# programs, the desktop entry, the metainfo, the MIME types (asking xdg-mime about a made
# scenario), the icons, the manual pages and the licence.
# Usage: check-install.sh BUILD_DIR DEMO_DATA_PROGRAM
set -u
build=$1
demo=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install"

for program in tarnwick tarnwick-tool; do
    [ -x "$prefix/bin/$program" ] || fail "no $program in bin"
done
version=$("$prefix/bin/tarnwick-tool" --version | cut -d' ' -f2)

entries=("$prefix"/share/applications/*.desktop)
[ ${#entries[@]} -eq 1 ] && [ -f "${entries[0]}" ] || fail "not one desktop entry: ${entries[*]}"
entry=${entries[0]}
id=$(basename "$entry" .desktop)
desktop-file-validate "$entry" || fail "desktop-file-validate"
grep -qx 'Exec=tarnwick %f' "$entry" || fail "Exec is not 'tarnwick %f'"
grep -qx "Icon=$id" "$entry" || fail "the icon is not named $id"
grep -q '^MimeType=.*application/x-tarnwick-scenario;' "$entry" || fail "no scenario type"

metainfo=$prefix/share/metainfo/$id.metainfo.xml
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $id.desktop"
grep -q '<project_license>MIT</project_license>' "$metainfo" || fail "no licence in the metainfo"
grep -q '<screenshot type="default">' "$metainfo" || fail "no screenshot in the metainfo"

mime=$prefix/share/mime/packages/$id.xml
xmllint --noout "$mime" || fail "xmllint $mime"
for type in $(grep '^MimeType=' "$entry" | cut -d= -f2 | tr ';' ' '); do
    grep -q "<mime-type type=\"$type\">" "$mime" || fail "the entry's $type is not defined"
done
[ -z "$(XDG_DATA_HOME="$prefix/share" update-mime-database "$prefix/share/mime" 2>&1)" ] ||
    fail "update-mime-database complained"

# A scenario the project makes, under a name that says nothing, is known by its content.
"$demo" scenario "$work/made.dat" || fail "no scenario made"
cp "$work/made.dat" "$work/made.pud"
plainDesktop=(env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u KDE_FULL_SESSION
              -u GNOME_DESKTOP_SESSION_ID)
for file in made.dat made.pud; do
    type=$(XDG_DATA_HOME="$prefix/share" "${plainDesktop[@]}" xdg-mime query filetype "$work/$file")
    [ "$type" = application/x-tarnwick-scenario ] || fail "xdg-mime calls $file $type"
done
other=$(XDG_DATA_HOME="$work/nowhere" "${plainDesktop[@]}" xdg-mime query filetype "$work/made.dat")
[ "$other" != application/x-tarnwick-scenario ] || fail "the type is known without the install"

[ -f "$prefix/share/icons/hicolor/scalable/apps/$id.svg" ] || fail "no scalable icon"
xmllint --noout "$prefix/share/icons/hicolor/scalable/apps/$id.svg" || fail "the SVG icon"
for size in 48 128 256; do
    icon=$prefix/share/icons/hicolor/${size}x$size/apps/$id.png
    file "$icon" | grep -q "PNG image data, $size x $size," || fail "icon $icon is not $size px"
done

for program in tarnwick tarnwick-tool; do
    page=$(zcat "$prefix/share/man/man1/$program.1.gz")
    grep -q "^\.TH \"\?${program^^}\"\? .*\"$program $version\"" <<<"$page" ||
        fail "the manual page of $program is missing or not of version $version"
    grep -q 'Exit status' <<<"$page" || fail "the manual page of $program has no exit status"
done
grep -q '^MIT License' "$prefix/share/doc/tarnwick/copyright" || fail "no MIT licence"
zcat "$prefix/share/doc/tarnwick/changelog.gz" | head -1 | grep -q "^tarnwick ($version) " ||
    fail "the changelog does not start with version $version"

[ "$failures" -eq 0 ] && echo "the install tree is sound"
exit $((failures > 0))
