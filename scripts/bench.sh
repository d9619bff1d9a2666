#!/usr/bin/env bash
# Runs every benchmark that the build made.
set -eu
build="$1"
shopt -s nullglob
found=0
for bench in "$build"/bench/bench_*; do
    [[ -x "$bench" ]] || continue
    found=1
    echo "== $(basename "$bench")"
    if [[ "$(basename "$bench")" == bench_window_listing || "$(basename "$bench")" == bench_start ]] \
        && command -v Xvfb >/dev/null; then
        # The whole program in a real X window.
        QT_QPA_PLATFORM=xcb "$(dirname "$0")/../tests/under-xvfb.sh" 1024x768 "$bench"
    else
        "$bench"
    fi
done
[[ $found -eq 1 ]] || echo "No benchmarks are built yet."
