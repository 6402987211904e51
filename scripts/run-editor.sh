#!/usr/bin/env bash
# Sets up, builds and starts the editor. Arguments are passed on (a file to open, say).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
exec build/src/ui/tarnwick "$@"
