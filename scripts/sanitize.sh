#!/usr/bin/env bash
# Runs every test of a build made with -DORVANE_SANITIZE=ON. The sanitizers write their reports
# into BUILD/sanitizer-reports instead of the standard error, so that a report of a program a test
# starts (whose exit status the test may not look at) is not lost either; the run fails when a test
# fails or when any report was written.
#   scripts/sanitize.sh BUILD [JOBS]
set -u
build="$(cd "$1" && pwd)"
jobs="${2:-2}"
here="$(cd "$(dirname "$0")" && pwd)"
reports="$build/sanitizer-reports"
rm -rf "$reports"
mkdir -p "$reports"

export ASAN_OPTIONS="log_path=$reports/asan:detect_leaks=1:strict_init_order=1:check_initialization_order=1:fast_unwind_on_malloc=0:log_exe_name=1"
export LSAN_OPTIONS="suppressions=$here/sanitize/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="log_path=$reports/ubsan:print_stacktrace=1:halt_on_error=1"

(cd "$build" && ctest --output-on-failure -j "$jobs")
status=$?

shopt -s nullglob
found=("$reports"/*)
if [[ ${#found[@]} -gt 0 ]]; then
    for report in "${found[@]}"; do
        echo "=== $(basename "$report")"
        cat "$report"
    done
    echo "The sanitizers reported ${#found[@]} time(s); the reports are in $reports"
    status=1
fi
exit $status
