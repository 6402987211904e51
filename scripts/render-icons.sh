#!/usr/bin/env bash
# Renders the icon's PNG sizes from its SVG; run it after changing data/icons/tarnwick.svg and
# commit the PNGs with it (needs rsvg-convert, package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../data/icons"
for size in 48 128 256; do
    rsvg-convert --width "$size" --height "$size" tarnwick.svg --output "tarnwick-$size.png"
done
