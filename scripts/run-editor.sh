#!/usr/bin/env bash
# Sets up, builds and starts the editor.
# Without arguments it starts on demo data that the project makes itself: a game directory with
# archives (names, palettes, sprites, sounds) and a scenario, with its own settings in
# build/demo, so that nothing of yours is touched. With arguments the editor starts as usual,
# with your settings, and the arguments go to it (a file to open, say).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
if [ $# -eq 0 ]; then
    demo="$PWD/build/demo"
    mkdir -p "$demo/config/Tarnwick"
    build/tools/tarnwick-demo-data gamedir "$demo/game"
    build/tools/tarnwick-demo-data scenario "$demo/demo.pud"
    printf '[General]\nWar2Dir=%s\n' "$demo/game" > "$demo/config/Tarnwick/Tarnwick.conf"
    export XDG_CONFIG_HOME="$demo/config"
    set -- "$demo/demo.pud"
fi
exec build/src/ui/tarnwick "$@"
