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
    "$bench"
done
[[ $found -eq 1 ]] || echo "No benchmarks are built yet."
