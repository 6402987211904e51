#!/usr/bin/env bash
# Configures and builds everything into build/ with warnings as errors.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNWICK_WERROR=ON -DTARNWICK_TESTS=ON
cmake --build build -j2
