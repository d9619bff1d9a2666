#!/bin/sh
# The program started from a terminal of a machine without a sound card: while it comes up and
# prepares its media device, its standard error carries nothing of the sound libraries' search
# for a card (ALSA's "ALSA lib ..." lines, OpenAL Soft's "AL lib: ..."). Runs on a display of its
# own (under-xvfb.sh): quiet-start.sh PROGRAM
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
# No sound server either, so that a machine with one still makes the program look for a card.
env -u ALSOFT_LOGLEVEL PULSE_SERVER=unix:/nonexistent timeout 5 "$program" >"$work/out" 2>"$work/err"
status=$?
if [ $status -ne 124 ]; then
    echo "the program ended by itself (status $status) before its five seconds:" >&2
    cat "$work/err" >&2
    exit 1
fi
if grep -E '^(ALSA lib|AL lib|\[ALSOFT\])' "$work/err" >&2; then
    echo "the sound libraries' lines above reached standard error" >&2
    exit 1
fi
exit 0
