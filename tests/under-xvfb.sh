#!/bin/sh
# Runs a test program on a virtual X display of its own: under-xvfb.sh WIDTHxHEIGHT PROGRAM ARGS.
# Xvfb picks a free display number itself (-displayfd), so runs that start at the same moment
# never share one; the display must answer before the program runs, and a server that does not
# is replaced. The server keeps running when its last client leaves (-noreset): otherwise the probe
# that checks it answers would make it reset and refuse the test's first connection. Where Xvfb is
# missing or no server comes up, the test is skipped, or fails under CI=true (unavailable.sh).
. "$(dirname "$0")/unavailable.sh"
size=$1
shift
if ! command -v Xvfb >/dev/null 2>&1; then
    unavailable "Xvfb is not installed"
fi
work=$(mktemp -d)
server=
trap '[ -n "$server" ] && kill "$server" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT

answers() {
    if command -v xdpyinfo >/dev/null 2>&1; then
        xdpyinfo -display ":$1" >/dev/null 2>&1
    else
        [ -S "/tmp/.X11-unix/X$1" ]
    fi
}

for attempt in 1 2 3; do
    rm -f "$work/display"
    mkfifo "$work/display"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$work/display" 2>"$work/server.log" &
    server=$!
    display=$(timeout 20 head -n 1 "$work/display")
    tries=0
    while [ -n "$display" ] && ! answers "$display" && [ $tries -lt 50 ]; do
        sleep 0.1
        tries=$((tries + 1))
    done
    if [ -n "$display" ] && answers "$display"; then
        DISPLAY=":$display" "$@"
        exit $?
    fi
    kill "$server" 2>/dev/null
    wait "$server" 2>/dev/null
    server=
done
cat "$work/server.log" >&2
unavailable "Xvfb could not start"
