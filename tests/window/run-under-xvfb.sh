#!/bin/sh
# Runs a test program in a virtual X display of its own. Where Xvfb is missing or cannot start,
# the program runs without a display, and its tests skip with the reason.
if command -v xvfb-run >/dev/null 2>&1; then
    errors=$(mktemp)
    xvfb-run -a -s "-screen 0 1024x768x24" "$@" 2>"$errors"
    status=$?
    if ! grep -q "Xvfb failed to start" "$errors"; then
        cat "$errors" >&2
        rm -f "$errors"
        exit $status
    fi
    rm -f "$errors"
    echo "Xvfb cannot start here; the window tests skip." >&2
else
    echo "xvfb-run is not installed; the window tests skip." >&2
fi
exec env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$@"
