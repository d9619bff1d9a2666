#!/usr/bin/env bash
# Starts Orvane on the user's display, in the folder `make run` was called from.
set -u
program="$1"
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "Orvane needs a graphical display, and none is set (DISPLAY is empty)." >&2
    echo "Start it from a desktop session, or under Xvfb: xvfb-run make run" >&2
    exit 1
fi
exec "$program"
