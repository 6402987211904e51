#!/usr/bin/env bash
# Makes the pictures of the README and the guide from the demo data, on a virtual display of
# 1280 x 800 with a window manager, the editor maximised on it.
#   bash scripts/screenshots.sh                    installs, builds, writes into docs/
#   bash scripts/screenshots.sh --build DIR OUT    uses the programs built in DIR, writes into OUT
# A picture is one line in the table at the end: its file name, the keys that bring up what it
# shows, and the title of the window to wait for before it is taken.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
out=docs
if [ "${1:-}" = "--build" ]; then
    build=$2
    out=$3
else
    bash scripts/setup.sh
    bash scripts/build.sh
fi
for program in Xvfb openbox xdotool import; do
    if ! command -v "$program" >/dev/null; then
        echo "screenshots.sh: $program is missing (bash scripts/setup.sh installs it)" >&2
        exit 77
    fi
done
build=$(cd "$build" && pwd)
mkdir -p "$out"
out=$(cd "$out" && pwd)

work=$(mktemp -d)
pids=()
finish() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap finish EXIT

# The demo data as the guide's walkthrough has it: a scenario whose unit data the game ignores,
# with the Pikeman's hit points and gold cost changed.
"$build/tools/tarnwick-demo-data" gamedir "$work/game"
"$build/tools/tarnwick-demo-data" scenario "$work/ford.pud"
tool="$build/src/tool/tarnwick-tool"
"$tool" defaults "$work/ford.pud" "$work/ford.pud" --unit-data on
"$tool" set "$work/ford.pud" "$work/ford.pud" pikeman hitPoints 45 --game "$work/game" --quiet
"$tool" set "$work/ford.pud" "$work/ford.pud" pikeman goldCost 250 --game "$work/game" --quiet
# The README's balance map: every duel of the demo scenario as the command line draws it.
"$build/tools/tarnwick-demo-data" scenario "$work/demo.pud"
"$tool" balance "$work/demo.pud" --matrix "$out/balance-map.png" --game "$work/game" --size 1000
echo "wrote $out/balance-map.png"
mkdir -p "$work/config/Tarnwick"
printf '[General]\nWar2Dir=%s\n' "$work/game" >"$work/config/Tarnwick/Tarnwick.conf"

# A display of our own: Xvfb names the first free one.
exec {displayPipe}<> <(:)
Xvfb -displayfd "$displayPipe" -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
read -r -t 30 number <&"$displayPipe"
export DISPLAY=":$number"
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
export XDG_CONFIG_HOME="$work/config"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

# Waits until a window of exactly this title is shown; fails after a minute.
waitForWindow() {
    local title=$1
    for _ in $(seq 600); do
        if xdotool search --onlyvisible --name "^$(sed 's/[][\.*^$()+?{}|]/\\&/g' <<<"$title")\$" \
            >/dev/null 2>&1; then
            return 0
        fi
        sleep 0.1
    done
    echo "screenshots.sh: no window \"$title\" appeared" >&2
    return 1
}

# shot NAME KEYS TITLE [FILE]: starts the editor on FILE (the walkthrough's scenario unless
# given), filling the screen, presses KEYS (xdotool key names; "type:TEXT" types TEXT,
# "click:X,Y" clicks there on the screen, "over:X,Y" rests the pointer there in the window in
# front, "wait" waits a moment), waits for the window TITLE and writes NAME.png of the whole
# screen.
shot() {
    attempt "$@" || attempt "$@" || {
        cat "$work/editor.log" >&2
        return 1
    }
}

# One try of shot, on a busy machine perhaps too early: a window that did not come up ends the
# editor and says so.
attempt() {
    local name=$1 keys=$2 title=$3 file=${4:-$work/ford.pud}
    "$build/src/ui/tarnwick" "$file" >"$work/editor.log" 2>&1 &
    local editor=$!
    local ok=0
    if waitForWindow "Tarnwick v3.0 - $(basename "$file") - [PUD]" && fillScreen; then
        sleep 0.5
        local key
        for key in $keys; do
            case $key in
                wait) sleep 0.5 ;;
                type:*) xdotool type --delay 30 "${key#type:}" ;;
                click:*)
                    local at=${key#click:}
                    xdotool mousemove "${at%,*}" "${at#*,}" click 1
                    ;;
                over:*)
                    local at=${key#over:}
                    xdotool mousemove --window "$(xdotool getactivewindow)" "${at%,*}" "${at#*,}"
                    ;;
                *) xdotool key --delay 80 "$key" ;;
            esac
            sleep 0.2
        done
        if waitForWindow "$title"; then
            sleep 0.7
            import -window root "$out/$name.png" && isScreenPicture "$out/$name.png" && ok=1
        fi
    fi
    kill "$editor" 2>/dev/null || true
    wait "$editor" 2>/dev/null || true
    if [ "$ok" = 1 ]; then
        echo "wrote $out/$name.png"
        return 0
    fi
    echo "screenshots.sh: $name: trying again" >&2
    return 1
}

# A picture of the whole screen with a window on it: the screen's size, and more colours than
# an empty or half-drawn screen has.
isScreenPicture() {
    local size colours
    read -r size colours < <(identify -format '%wx%h %k\n' "$1")
    if [ "$size" != 1280x800 ] || [ "$colours" -lt 32 ]; then
        echo "screenshots.sh: $1 is $size with $colours colours" >&2
        return 1
    fi
}

# The main window fills the screen, as a window maximised by openbox does.
fillScreen() {
    local window
    window=$(xdotool search --onlyvisible --name "^Tarnwick v3" | head -n 1)
    xdotool windowmove "$window" 0 0 windowsize "$window" 1280 800
}

# NAME                 KEYS                                        WINDOW TITLE
shot main-window       "click:180,152"                             "Tarnwick v3.0 - ford.pud - [PUD]"
shot unit-table        "ctrl+t"                                    "Unit Table"
shot upgrade-editor    "ctrl+u"                                    "Upgrade Editor"
shot restrictions      "ctrl+r"                                    "Restrictions Editor"
shot unit-compare      "alt+f Right g"                             "Unit Compare:"
shot balance-map-window "alt+f Right m wait over:300,300 wait wait"  "Balance Map"
shot scenario-windows  "alt+p p wait ctrl+m"                       "Mini Map"
shot direct-load       "alt+f Down Down Return"                    "Direct Load"
shot shortcuts         "alt+e Right k"                             "Keyboard Shortcuts"
shot about             "F1"                                        "About..."
