#!/usr/bin/env bash
# Remakes the program's icon at the hicolor theme's usual sizes from data/icons/orvane.svg, with
# ImageMagick (which draws the SVG through librsvg). The PNG files are kept in the tree.
set -euo pipefail
cd "$(dirname "$0")/../data/icons"
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "hicolor/${size}x${size}/apps"
    convert -background none -density $((72 * size / 64 + 1)) orvane.svg -resize "${size}x${size}" \
        -strip "PNG32:hicolor/${size}x${size}/apps/orvane.png"
done
