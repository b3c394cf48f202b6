#!/usr/bin/env bash
# The Debian package installed and played: unpacked into a fresh root folder (dpkg -x, no
# root rights or package database needed), its desktop entry, icons and metainfo checked against
# each other and by their validators, then the installed windowed game started from an empty
# folder elsewhere on a virtual X display: it must find its installed data, draw the title, reach
# the menu as the native replay tool draws it, and end with status 0 when Quit is clicked.
# Usage: test-deb.sh PACKAGE.deb NATIVE_BUILD   (the native build supplies the replay tool)
set -u
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
deb=$(realpath "$1")
native=$(realpath "$2")
app_id=org.pebblefrost.PebbleFrost
base=$(mktemp -d)
root=$base/root
elsewhere=$base/elsewhere
mkdir -p "$root" "$elsewhere"
trap 'rm -rf "$base"' EXIT
dpkg -x "$deb" "$root" || { echo "FAIL: dpkg -x $deb"; exit 1; }

. "$source_dir/tests/e2e_common.sh"
e2e_begin "$elsewhere" "$root/usr/games/PebbleFrostWindowed" Xvfb xdotool xwininfo c++ file
trap 'e2e_cleanup; rm -rf "$base"' EXIT

echo "== The package's files where its desktop entry says"
desktop=$root/usr/share/applications/$app_id.desktop
[ -f "$desktop" ] || fail "no desktop entry $desktop"
for key in Exec TryExec; do
    listed=$(sed -n "0,/^$key=/s/^$key=\([^ ]*\).*/\1/p" "$desktop")
    [ "${listed:0:1}" = / ] && [ -x "$root$listed" ] ||
        fail "the entry's $key ($listed) is not a program in the package"
done
action=$(sed -n '/^\[Desktop Action FullScreen\]/,/^\[/s/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -n "$action" ] && [ -x "$root$action" ] ||
    fail "the full-screen action's Exec ($action) is not a program in the package"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ "$icon" = "$app_id" ] || fail "the entry's icon is '$icon', not $app_id"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" \
    "$root/usr/share/metainfo/$app_id.metainfo.xml" || fail "the metainfo does not launch $app_id"
[ -f "$root/usr/share/pebblefrost/Data/Address/One/Char_Head.txt" ] || fail "no installed Data"
[ -e "$root/usr/share/pebblefrost/Data/icon" ] && fail "the icons were installed into Data"
"$source_dir/packaging/linux/validate.sh" "$root/usr" || fail "the installed files do not validate"

echo "== The installed windowed game, started from $elsewhere"
c++ -std=c++20 -O1 -o "$work/smoke_x11" "$source_dir/tools/windows/smoke_x11.cpp" -lX11 -lpng ||
    fail "cannot build the X helper"
(cd "$native" && ./pebblefrost-replay "$source_dir/tests/scripts/screenshots/title_menu.txt" \
    --last "$work/menu.png" >/dev/null) || fail "the native replay tool cannot draw the menu"
e2e_display 1024x768x24
e2e_start_game 120
for _ in $(seq 100); do
    xwininfo -id "$window" 2>/dev/null | grep -q 'Map State: IsViewable' && break
    sleep 0.1
done
lit=0
for _ in $(seq 100); do
    lit=$("$work/smoke_x11" lit "$window") || fail "cannot read the window"
    [ "$lit" -gt 1000 ] && break
    sleep 0.2
done
[ "$lit" -gt 1000 ] || fail "the installed game drew nothing in its window"
echo "title drawn: $lit pixels lit"

press() { timeout 10 xdotool keydown "$1" && sleep 0.3 && timeout 10 xdotool keyup "$1"; }
click() {
    timeout 10 xdotool mousemove --window "$window" "$1" "$2" && sleep 0.3 &&
        timeout 10 xdotool mousedown 1 && sleep 0.3 && timeout 10 xdotool mouseup 1
}
# Escape skips the splash; two seconds on, with the cursor over Start, the menu must look as the
# replay tool draws it at that moment (Escape again should a busy machine have dropped it).
press Escape || fail "xdotool key"
sleep 2
timeout 10 xdotool mousemove --window "$window" 420 370 || fail "xdotool mousemove"
for try in $(seq 20); do
    sleep 0.5
    differing=$("$work/smoke_x11" differ "$window" "$work/menu.png") || fail "cannot compare"
    [ "$differing" -lt 4800 ] && break
    [ "$try" = 10 ] && { press Escape || fail "xdotool key"; }
done
[ "$differing" -lt 4800 ] || fail "the menu differs from the replay tool's in $differing pixels"
echo "menu reached: $differing of 480000 pixels differ from the replay tool's picture"

for _ in 1 2 3; do # Quit, clicked again should a busy machine drop the click
    # A click on a window that the game has just closed fails: that is the game ending.
    click 400 545 || { sleep 1; ! kill -0 "$game_pid" 2>/dev/null || fail "xdotool click"; }
    for _ in $(seq 60); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$game_pid" 2>/dev/null || break
done
kill -0 "$game_pid" 2>/dev/null && fail "Quit in the menu did not end the installed game"
wait "$game_pid"
status=$?
game_pid=""
[ "$status" = 0 ] || fail "the installed game exited with status $status"
echo "PASS: $(basename "$deb") unpacked, entry, icons and metainfo in place and valid; the" \
    "installed game found its data from another folder, drew the title and the menu, and Quit" \
    "ended it with status 0"
