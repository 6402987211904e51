#!/usr/bin/env bash
# Sets up, builds and starts the editor.
# Without arguments it starts on demo data that the project makes itself: a game directory with
# archives (names, palettes, sprites, sounds) and a scenario, with its own settings in
# build/demo, so that nothing of yours is touched. With arguments the editor starts as usual,
# with your settings, and the arguments go to it (a file to open, say).
set -euo pipefail
cd "$(dirname "$0")/.."
# Said before anything is installed or built: without a display the window cannot open.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    cat >&2 <<'EOF'
run-editor.sh: there is no display to show the editor on (neither DISPLAY nor WAYLAND_DISPLAY
is set). Either
  - start it from a desktop session (X11 or Wayland), or
  - give it a virtual display:  xvfb-run -a bash scripts/run-editor.sh
    (packages xvfb and xauth), or
  - use the command-line companion, which needs no display:
        bash scripts/build.sh && build/src/tool/tarnwick-tool --help
EOF
    exit 1
fi
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
