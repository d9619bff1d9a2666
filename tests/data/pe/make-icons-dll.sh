#!/usr/bin/env bash
# Remakes icons32.dll and icons64.dll: resource-only libraries with four icon groups, linked by
# the MinGW-w64 binutils (binutils-mingw-w64-i686, binutils-mingw-w64-x86-64) from icons that
# ImageMagick draws. Groups in directory order: "NAMED" (blue, 32 and 16 pixels), 7 (green in US
# English, yellow in Japanese, 16 pixels), 101 (red, 32 and 16 pixels).
set -eu
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for spec in blue:32,16 red:32,16 green:16 yellow:16; do
    colour=${spec%%:*}
    convert -size 32x32 "xc:$colour" -fill white -draw "rectangle 8,8 23,23" -colors 16 \
        -define "icon:auto-resize=${spec#*:}" "$work/$colour.ico"
done
cat >"$work/icons.rc" <<'RC'
LANGUAGE 0, 0
NAMED ICON "blue.ico"
101 ICON "red.ico"
LANGUAGE 9, 1
7 ICON "green.ico"
LANGUAGE 0x11, 1
7 ICON "yellow.ico"
RC
for target in i686:32 x86_64:64; do
    arch=${target%%:*}
    (cd "$work" && "$arch-w64-mingw32-windres" --preprocessor=cpp icons.rc -O coff -o icons.o &&
        "$arch-w64-mingw32-ld" -shared --no-insert-timestamp -e 0 -s -o "icons${target#*:}.dll" icons.o)
    cp "$work/icons${target#*:}.dll" .
done
