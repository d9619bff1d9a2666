#!/bin/sh
# Runs a test program on a virtual X display of its own: under-xvfb.sh WIDTHxHEIGHT PROGRAM ARGS.
# Exits with 77 (skipped) where xvfb-run is missing or Xvfb cannot start. Tests that use it hold
# the CTest resource lock "xvfb", since two xvfb-run -a starting at once can pick one display.
size=$1
shift
if ! command -v xvfb-run >/dev/null 2>&1; then
    echo "skipped: xvfb-run is not installed"
    exit 77
fi
log=$(mktemp)
xvfb-run -a -s "-screen 0 ${size}x24" "$@" 2>"$log"
status=$?
cat "$log" >&2
if grep -q "Xvfb failed to start" "$log"; then
    rm -f "$log"
    echo "skipped: Xvfb could not start"
    exit 77
fi
rm -f "$log"
exit $status
