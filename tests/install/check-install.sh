#!/usr/bin/env bash
# Installs the build into a temporary prefix and reads the result as a desktop would: the
# programs, the desktop entry, the metainfo, the MIME types (asking xdg-mime about a made
# scenario) and their icons, the thumbnailer (run as a file manager runs it), the icons, the
# manual pages, the shell completion and the licence.
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
# The editor's host link and sound device, which it loads on first use, with all they need.
modules=("$prefix"/lib*/tarnwick/modules/tarnwick-devices.so)
[ -f "${modules[0]}" ] || fail "no tarnwick-devices.so in the library folder"
! ldd "${modules[0]}" | grep -q 'not found' || fail "tarnwick-devices.so misses a library"
version=$("$prefix/bin/tarnwick-tool" --version | cut -d' ' -f2)

entries=("$prefix"/share/applications/*.desktop)
[ ${#entries[@]} -eq 1 ] && [ -f "${entries[0]}" ] || fail "not one desktop entry: ${entries[*]}"
entry=${entries[0]}
id=$(basename "$entry" .desktop)
desktop-file-validate "$entry" || fail "desktop-file-validate"
grep -qx 'Exec=tarnwick %f' "$entry" || fail "Exec is not 'tarnwick %f'"
grep -qx "Icon=$id" "$entry" || fail "the icon is not named $id"
grep -q '^MimeType=.*application/x-warcraft2-scenario;' "$entry" || fail "no scenario type"

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

# Every file type has a generic icon and an icon of its own in every size.
for type in $(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$mime"); do
    grep -qx "$type:x-office-[a-z]*" "$prefix/share/mime/generic-icons" ||
        fail "$type has no generic icon"
    icon=${type//\//-}
    xmllint --noout "$prefix/share/icons/hicolor/scalable/mimetypes/$icon.svg" ||
        fail "no scalable icon of $type"
    for size in 48 128 256; do
        file "$prefix/share/icons/hicolor/${size}x$size/mimetypes/$icon.png" |
            grep -q "PNG image data, $size x $size," || fail "no $size px icon of $type"
    done
done

# A scenario the project makes, under a name that says nothing, is known by its content.
"$demo" scenario "$work/made.dat" || fail "no scenario made"
cp "$work/made.dat" "$work/made.pud"
# No system data folders: a package of the program installed on this machine must not answer
# for the install tree.
mkdir -p "$work/nowhere"
plainDesktop=(env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u KDE_FULL_SESSION
              -u GNOME_DESKTOP_SESSION_ID XDG_DATA_DIRS="$work/nowhere")
for file in made.dat made.pud; do
    type=$(XDG_DATA_HOME="$prefix/share" "${plainDesktop[@]}" xdg-mime query filetype "$work/$file")
    [ "$type" = application/x-warcraft2-scenario ] || fail "xdg-mime calls $file $type"
done
other=$(XDG_DATA_HOME="$work/nowhere" "${plainDesktop[@]}" xdg-mime query filetype "$work/made.dat")
[ "$other" != application/x-warcraft2-scenario ] || fail "the type is known without the install"

# The thumbnailer, run as a file manager runs it: the Exec line split into words, each field
# code then replaced by one argument (so a name with a blank stays one), PATH the installed one.
thumbnailer=$prefix/share/thumbnailers/$id.thumbnailer
grep -qx 'MimeType=application/x-warcraft2-scenario;' "$thumbnailer" ||
    fail "the thumbnailer is not for scenarios"
exec=$(sed -n 's/^Exec=//p' "$thumbnailer")
tryExec=$(sed -n 's/^TryExec=//p' "$thumbnailer")
[ -x "$prefix/bin/$tryExec" ] || fail "the thumbnailer tries $tryExec, which is not installed"
cp "$work/made.pud" "$work/a map.pud"
for size in 128 256; do
    read -ra words <<<"$exec"
    command=()
    for word in "${words[@]}"; do
        case $word in
            %i) command+=("$work/a map.pud") ;;
            %o) command+=("$work/thumbnail-$size.png") ;;
            %s) command+=("$size") ;;
            %*) fail "the thumbnailer's Exec has $word, which is no thumbnailer field code" ;;
            *) command+=("$word") ;;
        esac
    done
    PATH="$prefix/bin:$PATH" "${command[@]}" || fail "the thumbnailer failed at $size px: $exec"
    # The made scenario's map is square.
    file "$work/thumbnail-$size.png" | grep -q "PNG image data, $size x $size," ||
        fail "the thumbnail at $size px is $(file -b "$work/thumbnail-$size.png")"
done

[ -f "$prefix/share/icons/hicolor/scalable/apps/$id.svg" ] || fail "no scalable icon"
xmllint --noout "$prefix/share/icons/hicolor/scalable/apps/$id.svg" || fail "the SVG icon"
for size in 48 128 256; do
    icon=$prefix/share/icons/hicolor/${size}x$size/apps/$id.png
    file "$icon" | grep -q "PNG image data, $size x $size," || fail "icon $icon is not $size px"
done

# The manual pages: of this version, with the sections a reader looks for, clean for groff, and
# the tool's with a section per command that shows its example.
for program in tarnwick tarnwick-tool; do
    page=$(zcat "$prefix/share/man/man1/$program.1.gz")
    grep -q "^\.TH \"\?${program^^}\"\? .*\"$program $version\"" <<<"$page" ||
        fail "the manual page of $program is missing or not of version $version"
    ! grep -qi '^\.SS "\?exit status' <<<"$page" || fail "the exit status of $program is a subsection"
    for section in 'EXIT STATUS' ENVIRONMENT FILES 'SEE ALSO'; do
        grep -q "^\.SH \"\?$section\"\?\$" <<<"$page" || fail "the manual page of $program has no $section"
    done
    warnings=$(groff -man -Tutf8 -ww -z <<<"$page" 2>&1)
    [ -z "$warnings" ] || fail "groff warns of the manual page of $program: $warnings"
done
shown=$(zcat "$prefix/share/man/man1/tarnwick-tool.1.gz" | MANWIDTH=80 man -l - 2>/dev/null)
for command in $("$prefix/bin/tarnwick-tool" --help | sed -n '/^Commands:/,/^Options:/s/^  \([a-z-]*\).*/\1/p'); do
    example=$("$prefix/bin/tarnwick-tool" "$command" --help | sed -n '/^Example:/{n;s/^ *//p}')
    grep -qx "   $command" <<<"$shown" || fail "the manual page of tarnwick-tool has no section $command"
    grep -qF "$example" <<<"$shown" || fail "the manual page of tarnwick-tool lacks the example of $command"
done
# Shell completion where bash-completion, zsh and fish look for it, loaded by each shell present.
share=$prefix/share
for file in bash-completion/completions/tarnwick-tool zsh/vendor-completions/_tarnwick-tool \
    fish/vendor_completions.d/tarnwick-tool.fish; do
    [ -s "$share/$file" ] || fail "no completion $file"
done
if [ -f /usr/share/bash-completion/bash_completion ]; then
    found=$(XDG_DATA_DIRS=$share:/usr/share bash --norc -c '
        source /usr/share/bash-completion/bash_completion
        _completion_loader tarnwick-tool
        complete -p tarnwick-tool' 2>&1)
    [ "$found" = "complete -F _tarnwick_tool tarnwick-tool" ] || fail "bash does not load it: $found"
fi
if command -v zsh >/dev/null; then
    found=$(zsh -f -c 'fpath=("$1" $fpath); autoload -Uz compinit; compinit -u -D
        print -r -- $_comps[tarnwick-tool]' zsh "$share/zsh/vendor-completions")
    [ "$found" = _tarnwick-tool ] || fail "zsh does not load it: $found"
fi
if command -v fish >/dev/null; then
    found=$(HOME=$work XDG_DATA_DIRS=$share:/usr/share PATH=$prefix/bin:$PATH \
        fish -c 'complete -C"tarnwick-tool ex"' | tr '\n' ' ')
    [ "$found" = "export extract " ] || fail "fish does not load it: $found"
fi

# Each package's licence and changelog.
for package in tarnwick tarnwick-tool; do
    grep -q '^MIT License' "$prefix/share/doc/$package/copyright" || fail "no MIT licence of $package"
    zcat "$prefix/share/doc/$package/changelog.gz" | head -1 | grep -q "^$package ($version) " ||
        fail "the changelog of $package does not start with its name and version $version"
done

[ "$failures" -eq 0 ] && echo "the install tree is sound"
exit $((failures > 0))
