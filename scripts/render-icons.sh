#!/usr/bin/env bash
# Renders the icons' PNG sizes from their SVGs: the program's and the file types' (scenario,
# table). Run it after changing an SVG in data/icons and commit the PNGs with it (needs
# rsvg-convert, package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../data/icons"
for icon in tarnwick scenario table; do
    for size in 48 128 256; do
        rsvg-convert --width "$size" --height "$size" "$icon.svg" --output "$icon-$size.png"
    done
done
