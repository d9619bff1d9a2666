#!/bin/sh
# Runs a program on the X display of $DISPLAY under the JWM window manager, configured by jwmrc
# beside this script: with-wm.sh PROGRAM ARGS. The manager must have taken the screen (it names
# itself on the root window) before the program starts. Where JWM is not installed or does not
# come up, the test is skipped, or fails under CI=true (../unavailable.sh).
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../unavailable.sh"
if ! command -v jwm >/dev/null 2>&1; then
    unavailable "the window manager jwm is not installed"
fi
state=$(mktemp -d)
manager=
trap '[ -n "$manager" ] && kill "$manager" 2>/dev/null; wait 2>/dev/null; rm -rf "$state"' EXIT

# A manager that exits before it has taken the screen (seen once in a while on a loaded machine,
# "could not open display" right after the server answered) is started again.
for attempt in 1 2 3; do
    HOME="$state" jwm -f "$here/jwmrc" >"$state/jwm.log" 2>&1 &
    manager=$!
    tries=0
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
        tries=$((tries + 1))
        if [ $tries -gt 100 ] || ! kill -0 "$manager" 2>/dev/null; then
            break
        fi
        sleep 0.1
    done
    if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
        break
    fi
    cat "$state/jwm.log" >&2
    kill "$manager" 2>/dev/null
    wait "$manager" 2>/dev/null
    manager=
    if [ $attempt -eq 3 ]; then
        unavailable "jwm did not come up"
    fi
    sleep 0.5
done
"$@"
