#!/bin/sh
# The window tests where their display cannot start: skipped elsewhere, failed under CI=true, so
# that a CI run whose window tests never ran cannot pass. Tried on the set-up scripts with Xvfb or
# the window manager missing from PATH or failing to start, on a window test program whose display
# does not answer, and through CTest on the registered tests, as a failed and as a skipped test.
# A window test whose cases partly skip and partly fail is a failed test too.
#   window-start-under-ci.sh SOURCE_DIR BUILD_DIR WINDOW_MAIN_CHECK CTEST
# WINDOW_MAIN_CHECK is the program of window.TestMain (tests/WindowMainCheck.cpp).
set -u
source=$1 build=$2 program=$3 ctest=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

# A folder of every program on the system's PATH but one.
without() {
    mkdir -p "$work/without-$1"
    for folder in /usr/local/bin /usr/bin /bin; do
        [ -d "$folder" ] && ln -s "$folder"/* "$work/without-$1/" 2>/dev/null
    done
    rm -f "$work/without-$1/$1"
    echo "$work/without-$1"
}
# A folder whose program NAME fails at once, to put before PATH.
broken() {
    mkdir -p "$work/broken-$1"
    printf '#!/bin/sh\necho "%s: cannot start (a broken stand-in of the test)" >&2\nexit 1\n' "$1" >"$work/broken-$1/$1"
    chmod +x "$work/broken-$1/$1"
    echo "$work/broken-$1"
}

# expect WHAT STATUS PATTERN COMMAND...: the command exits with STATUS and says PATTERN.
expect() {
    what=$1 status=$2 pattern=$3
    shift 3
    out=$("$@" 2>&1)
    got=$?
    if [ $got -ne "$status" ] || ! printf '%s\n' "$out" | grep -q -- "$pattern"; then
        echo "FAIL: $what: exit $got (expected $status), output:"
        printf '%s\n' "$out" | sed 's/^/    /'
        failed=1
    else
        echo "ok: $what"
    fi
}

noXvfb=$(without Xvfb)
noJwm=$(without jwm)
badXvfb=$(broken Xvfb):$PATH
badJwm=$(broken jwm):$PATH
xvfb="$source/tests/under-xvfb.sh"
wm="$source/tests/desktop/with-wm.sh"

expect "no Xvfb, CI=true" 1 "error: Xvfb is not installed" env CI=true PATH="$noXvfb" "$xvfb" 640x480 true
expect "no Xvfb" 77 "skipped: Xvfb is not installed" env -u CI PATH="$noXvfb" "$xvfb" 640x480 true
expect "Xvfb fails, CI=true" 1 "error: Xvfb could not start" env CI=true PATH="$badXvfb" "$xvfb" 640x480 true
expect "Xvfb fails" 77 "skipped: Xvfb could not start" env -u CI PATH="$badXvfb" "$xvfb" 640x480 true
expect "no jwm, CI=true" 1 "error: the window manager jwm is not installed" env CI=true PATH="$noJwm" "$wm" true
expect "no jwm" 77 "skipped: the window manager jwm is not installed" env -u CI PATH="$noJwm" "$wm" true
expect "jwm fails, CI=true" 1 "error: jwm did not come up" env -u DISPLAY CI=true PATH="$badJwm" "$wm" true
expect "jwm fails" 77 "skipped: jwm did not come up" env -u DISPLAY -u CI PATH="$badJwm" "$wm" true
expect "CI=false skips" 77 "skipped:" env CI=false PATH="$noXvfb" "$xvfb" 640x480 true

# A window test program itself: where its display does not answer, and its exit status when its
# cases skip (the display is Qt's offscreen one here).
expect "no display, CI=true" 1 "error: .*does not answer" env CI=true QT_QPA_PLATFORM=xcb DISPLAY=:4095 "$program"
expect "no display" 77 "skipped: .*does not answer" env -u CI QT_QPA_PLATFORM=xcb DISPLAY=:4095 "$program"
offscreen="env -u CI -u ORVANE_WINDOW_CHECK_FAILS QT_QPA_PLATFORM=offscreen"
expect "every case skipped" 77 "skipped: every case skipped" $offscreen "$program" --gtest_filter='*.Skips'
expect "every case skipped, CI=true" 1 "error: every case skipped" $offscreen CI=true "$program" --gtest_filter='*.Skips'
expect "a case skipped, the others passed" 0 "PASSED" $offscreen "$program"
expect "a case skipped, another failed" 1 "FAILED" $offscreen ORVANE_WINDOW_CHECK_FAILS=1 "$program"

# The registered tests through CTest, from a folder of its own so that its logs stay out of the
# build's: a failed start is a failed test under CI=true, a skipped one elsewhere.
mkdir "$work/ctest"
printf 'subdirs("%s/tests")\n' "$build" >"$work/ctest/CTestTestfile.cmake"
cd "$work/ctest" || exit 1
expect "ctest window.ListView without Xvfb, CI=true" 8 "window.ListView .*Failed" \
    env CI=true PATH="$noXvfb" "$ctest" -R '^window\.ListView$'
expect "ctest window.ListView without Xvfb" 0 "window.ListView .*Skipped" \
    env -u CI PATH="$noXvfb" "$ctest" -R '^window\.ListView$'
if command -v Xvfb >/dev/null 2>&1; then
    expect "ctest window.TestMain with a case skipped and one failed" 8 "window.TestMain .*Failed" \
        env -u CI ORVANE_WINDOW_CHECK_FAILS=1 "$ctest" -R '^window\.TestMain$' --output-on-failure
fi
if [ -f "$build/tests/desktop/CTestTestfile.cmake" ] && grep -q desktop.suite "$build/tests/desktop/CTestTestfile.cmake"; then
    expect "ctest desktop.suite without jwm, CI=true" 8 "desktop.suite .*Failed" \
        env CI=true PATH="$noJwm" "$ctest" -R '^desktop\.suite$'
    expect "ctest desktop.suite without jwm" 0 "desktop.suite .*Skipped" \
        env -u CI PATH="$noJwm" "$ctest" -R '^desktop\.suite$'
fi
exit $failed
