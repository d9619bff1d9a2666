#!/bin/sh
# The real program started as the desktop's menu starts it (orvane --desktop) with a home folder
# and XDG folders of its own: its window names the home folder, the settings file already in
# $XDG_CONFIG_HOME/orvane places the window, the cache folder is made in $XDG_CACHE_HOME/orvane,
# and nothing appears in the home folder or the folder it was started from. Then the same
# program started in a folder from a terminal keeps to that folder. On the way, the window's
# WM_CLASS class is the desktop entry's StartupWMClass, so that the taskbar shows the entry's name
# and icon, and the window carries the icon itself. Runs on a display of its own (under-xvfb.sh):
# desktop-start.sh PROGRAM DESKTOP-ENTRY
program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
entry=$2
root=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$root"' EXIT
fail() { printf '%s\n' "$*" >&2; [ -f "$root/err" ] && cat "$root/err" >&2; exit 1; }
mkdir -p "$root/home" "$root/work" "$root/config/orvane"
# The window positions: the main window 600 x 400 pixels, the detached viewer.
printf '30\r\n40\r\n600\r\n400\r\n150\r\n540\r\n476\r\n212\r\n' >"$root/config/orvane/TavoCust2.cnf"

# Waits up to ten seconds for a window whose title matches, and prints its id.
window() {
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}
stop() { kill "$pid"; wait "$pid" 2>/dev/null; pid=; }

cd "$root/work" || exit 1
HOME="$root/home" XDG_CONFIG_HOME="$root/config" XDG_CACHE_HOME="$root/cache" \
    "$program" --desktop >"$root/out" 2>"$root/err" &
pid=$!
id=$(window '^Orvane - ') || fail "no main window came up from the menu's command"
name=$(xdotool getwindowname "$id")
# The home folder is drive C:.
[ "$name" = 'Orvane - C:\' ] || fail "the main window names '$name', not the home folder C:\\"
size=$(xwininfo -id "$id" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')
[ "$size" = 592x377 ] || fail "the window is $size, not as the settings file in the XDG folder says (592x377)"
wm_class=$(xprop -id "$id" WM_CLASS)
wanted=$(sed -n 's/^StartupWMClass=//p' "$entry")
[ -n "$wanted" ] || fail "the desktop entry $entry names no StartupWMClass"
[ "$wm_class" = "WM_CLASS(STRING) = \"orvane\", \"$wanted\"" ] ||
    fail "the window's $wm_class is not the entry's class \"$wanted\""
# _NET_WM_ICON, which xprop shows as pictures headed "Icon (W x H):".
xprop -id "$id" _NET_WM_ICON | grep -q 'Icon ([1-9][0-9]* x [1-9][0-9]*)' ||
    fail "the window carries no icon: $(xprop -id "$id" _NET_WM_ICON | head -c 100)"
for _ in $(seq 50); do [ -d "$root/cache/orvane/View" ] && break; sleep 0.1; done
[ -d "$root/cache/orvane/View" ] || fail "no cache folder in XDG_CACHE_HOME/orvane"
stop
[ -z "$(ls -A "$root/home")" ] || fail "written into the home folder: $(ls -A "$root/home")"
[ -z "$(ls -A "$root/work")" ] || fail "written into the folder it was started from: $(ls -A "$root/work")"
[ "$(stat -c %a "$root/cache/orvane")" = 700 ] || fail "the cache's folder is open to others"

# From a terminal in a folder, as today: the settings and the cache stay in that folder.
rm -rf "$root/config" "$root/cache"
HOME="$root/home" XDG_CONFIG_HOME="$root/config" XDG_CACHE_HOME="$root/cache" \
    "$program" >"$root/out" 2>"$root/err" &
pid=$!
id=$(window '^Orvane - ') || fail "no main window came up in the start folder"
case "$(xdotool getwindowname "$id")" in
    *'\work') ;;
    *) fail "the main window names '$(xdotool getwindowname "$id")', not the start folder" ;;
esac
for _ in $(seq 50); do [ -d "$root/work/View" ] && break; sleep 0.1; done
[ -d "$root/work/View" ] || fail "no cache folder in the start folder"
stop
# The libraries the program uses may keep caches of their own there (fontconfig does).
[ ! -e "$root/config/orvane" ] && [ ! -e "$root/cache/orvane" ] || fail "a terminal start wrote into the XDG folders: $(find "$root/config" "$root/cache" 2>/dev/null | head -5)"
[ -z "$(ls -A "$root/home")" ] || fail "a terminal start wrote into the home folder"
exit 0
