#!/usr/bin/env bash
# Remakes app.exe: a Windows program (PE32+, GUI subsystem) with no code to speak of and one icon
# group, purple with a yellow square (32 and 16 pixels), drawn by ImageMagick and linked by the
# MinGW-w64 binutils (binutils-mingw-w64-x86-64). The desktop suite shows its icon.
set -eu
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
convert -size 32x32 xc:purple -fill yellow -draw "rectangle 8,8 23,23" -colors 16 \
    -define icon:auto-resize=32,16 "$work/app.ico"
cat >"$work/app.rc" <<'RC'
LANGUAGE 0, 0
1 ICON "app.ico"
RC
(cd "$work" && x86_64-w64-mingw32-windres --preprocessor=cpp app.rc -O coff -o app.o &&
    x86_64-w64-mingw32-ld --subsystem windows --no-insert-timestamp -e 0 -s -o app.exe app.o)
cp "$work/app.exe" .
