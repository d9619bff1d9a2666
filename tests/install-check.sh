#!/bin/sh
# Installs the built program into a staging folder, as make install DESTDIR=... PREFIX=/usr does,
# and checks what a desktop needs: the program, a desktop entry that the freedesktop validator
# accepts and that starts the installed program, and the icon in the hicolor theme at each usual
# size and as a scalable picture, and its manual page.
set -eu
build=$1
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
test -x "$stage/usr/bin/orvane"
entry="$stage/usr/share/applications/orvane.desktop"
desktop-file-validate "$entry"
grep -qx 'Exec=orvane --desktop' "$entry"
grep -qx 'Icon=orvane' "$entry"
grep -qx 'StartupWMClass=Orvane' "$entry"
for size in 16 22 24 32 48 64 128 256; do
    icon="$stage/usr/share/icons/hicolor/${size}x${size}/apps/orvane.png"
    identify -format '%wx%h\n' "$icon" | grep -qx "${size}x${size}" || { echo "missing or wrong: $icon"; exit 1; }
done
test -s "$stage/usr/share/icons/hicolor/scalable/apps/orvane.svg"
test -s "$stage/usr/share/man/man1/orvane.1"
echo "installed: $(cd "$stage" && find . -type f | sort | tr '\n' ' ')"
