#!/usr/bin/env bash
# Sets up, builds and starts the editor. With no arguments it opens a demo scenario the project
# makes itself; otherwise the arguments go to the editor (a file to open, say).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
if [ $# -eq 0 ]; then
    mkdir -p build/demo
    build/tools/tarnwick-demo-data scenario build/demo/demo.pud
    set -- build/demo/demo.pud
fi
exec build/src/ui/tarnwick "$@"
