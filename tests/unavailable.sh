# Sourced by the scripts that set up a real display for the window tests: unavailable MESSAGE
# ends the script when a part of that set-up is missing or does not start. Elsewhere the test is
# skipped (exit 77, CTest's SKIP_RETURN_CODE); under CI=true it fails (exit 1), so that a CI run
# whose window tests never ran cannot pass.
unavailable() {
    if [ "${CI:-}" = true ]; then
        echo "error: $1; CI=true, so the window tests must run and this counts as a failure" >&2
        exit 1
    fi
    echo "skipped: $1"
    exit 77
}
