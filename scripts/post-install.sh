#!/usr/bin/env bash
# After make install: on the running system (no DESTDIR), tells the desktop about the new entry
# and icon, where its tools are installed.
set -u
destdir=$1
prefix=$2
[[ -n "$destdir" ]] && exit 0
if command -v update-desktop-database >/dev/null; then
    update-desktop-database -q "$prefix/share/applications" 2>/dev/null || true
fi
if command -v gtk-update-icon-cache >/dev/null; then
    gtk-update-icon-cache -q -t "$prefix/share/icons/hicolor" 2>/dev/null || true
fi
exit 0
