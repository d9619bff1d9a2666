#!/bin/sh
# Runs a test program on a virtual X display of 800 x 600 pixels. Exits with 77 (skipped) where
# no such display can start.
if ! command -v xvfb-run >/dev/null 2>&1; then
    echo "skipped: xvfb-run is not installed"
    exit 77
fi
log=$(mktemp)
xvfb-run -a -s "-screen 0 800x600x24" "$@" 2>"$log"
status=$?
cat "$log" >&2
if grep -q "Xvfb failed to start" "$log"; then
    rm -f "$log"
    echo "skipped: Xvfb could not start"
    exit 77
fi
rm -f "$log"
exit $status
