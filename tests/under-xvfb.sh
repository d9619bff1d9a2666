#!/bin/sh
# Runs a test program on a virtual X display of its own: under-xvfb.sh WIDTHxHEIGHT PROGRAM ARGS.
# Xvfb picks a free display number itself (-displayfd), so runs that start at the same moment
# never share one. Exits with 77 (skipped) where Xvfb is missing or cannot start.
size=$1
shift
if ! command -v Xvfb >/dev/null 2>&1; then
    echo "skipped: Xvfb is not installed"
    exit 77
fi
work=$(mktemp -d)
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$work"' EXIT
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$work/display" 2>"$work/server.log" &
server=$!
display=$(timeout 20 head -n 1 "$work/display")
if [ -z "$display" ]; then
    cat "$work/server.log" >&2
    echo "skipped: Xvfb could not start"
    exit 77
fi
DISPLAY=":$display" "$@"
