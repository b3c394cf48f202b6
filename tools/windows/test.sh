#!/usr/bin/env bash
# The Windows build under Wine: builds and runs the cross-built test suite and data checker, then
# plays the two programs from the dist folder on a virtual X display (Xvfb, no window manager).
# Usage: test.sh CROSS_BUILD DIST NATIVE_BUILD
# The native build supplies the reference picture of the title menu (its replay tool).
set -u
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
cross=$(realpath "$1")
dist=$(realpath "$2")
native=$(realpath "$3")
jobs=${JOBS:-$(nproc)}
wine_run=$here/wine-run.sh
export WINEPREFIX="${WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/pebblefrost/wine}"

work=$(mktemp -d)
xvfb_pid=""
game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wineserver -k 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    [ -s "$work/game.log" ] && { echo "--- game output:"; tail -n 20 "$work/game.log"; }
    exit 1
}
for tool in wine wineserver Xvfb xdotool xwininfo c++; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done

# Wine's first process starts background services that would hold the output pipes of ctest and
# of the test discovery open: start them, with a server that stays, before either runs. The
# first start also makes the Wine prefix.
mkdir -p "$WINEPREFIX"
wineserver -p
DISPLAY= "$wine_run" cmd /c exit >/dev/null 2>&1 || fail "Wine does not start"

echo "== Windows test suite and data checker under Wine"
cmake --build "$cross" -j "$jobs" || fail "the cross build of the tests failed"
# No display for the unit tests, as on the native side: they run headless. A test whose process
# Wine could not start fails in a few hundredths of a second with no output at all (seen once,
# on a loaded machine): each failing test gets one more run, and one that fails on its own fails
# again and is reported. The native suite and the sanitizer run get no second try.
(unset DISPLAY WAYLAND_DISPLAY &&
    ctest --test-dir "$cross" -j "$jobs" --output-on-failure --repeat until-pass:2) ||
    fail "tests failed under Wine"

echo "== The Windows programs under Wine on a virtual X display"
c++ -std=c++20 -O1 -o "$work/smoke_x11" "$here/smoke_x11.cpp" -lX11 -lpng ||
    fail "cannot build the X helper"
# The native frame of the same moment: Escape, two seconds, the cursor over Start.
menu_script=$source_dir/tests/scripts/screenshots/title_menu.txt
(cd "$native" && ./pebblefrost-replay "$menu_script" --last "$work/menu.png" >/dev/null) ||
    fail "the native replay tool cannot draw the menu"

game_folder=$dist
. "$here/smoke-lib.sh"

# The settings file, in the prefix's own preference folder (SDL's, under AppData\Roaming). The
# first run starts without one and turns the sound down a step with -.
appdata=$(DISPLAY= "$wine_run" cmd /c echo %APPDATA% | tr -d '\r') && appdata=$(winepath -u "$appdata") ||
    fail "cannot find the Wine prefix's AppData folder"
settings=$appdata/PebbleFrost/settings.txt
rm -f "$settings"
# The file holds these lines (and a comment)?
settings_hold() {
    local line
    for line in "$@"; do
        grep -qx "$line" "$settings" 2>/dev/null ||
            fail "$settings does not hold \"$line\": $(cat "$settings" 2>&1 | tr '\n' '|')"
    done
}

start_xvfb 1024x768
start_game PebbleFrostWindowed.exe
[ "$width" = 800 ] && [ "$height" = 600 ] || fail "client area is ${width}x${height}, not 800x600"
reach_menu
press minus || fail "xdotool key"
quit_from_menu PebbleFrostWindowed.exe
echo "PASS: PebbleFrostWindowed.exe: window ${width}x${height}, title menu as drawn natively" \
    "($differing pixels differ), Quit ended it with status 0"
settings_hold "window 800 600" "volume 90" "muted 0"

# A second start reads it: a window size written into it is the window's, and one more step down
# makes 80. The menu is then 1.1 times larger, Quit with it.
settings_from=$SECONDS
sed -i 's/^window .*/window 880 660/' "$settings"
start_game PebbleFrostWindowed.exe
[ "$width" = 880 ] && [ "$height" = 660 ] ||
    fail "with window 880 660 in the settings the client area is ${width}x${height}"
press Escape || fail "xdotool key"
sleep 2.5
press minus || fail "xdotool key"
quit_from_menu PebbleFrostWindowed.exe 440 600
settings_hold "window 880 660" "volume 80" "muted 0"

# A damaged file: one line on stderr naming it, the defaults used (800x600), and the defaults
# written back at the end.
printf 'window 880 660\nvolume 50\nloudness 3\n' >"$settings"
start_game PebbleFrostWindowed.exe
said=$(grep -c 'settings' "$work/game.log")
[ "$said" = 1 ] && grep -q 'settings file .*settings.txt is damaged (line 3: unknown setting "loudness")' \
    "$work/game.log" || fail "the damaged settings file was said $said times, not once as expected"
[ "$width" = 800 ] && [ "$height" = 600 ] ||
    fail "with a damaged settings file the client area is ${width}x${height}, not 800x600"
press Escape || fail "xdotool key"
sleep 2.5
quit_from_menu PebbleFrostWindowed.exe
settings_hold "window 800 600" "volume 100" "muted 0"
echo "PASS: the settings file in AppData\\Roaming\\PebbleFrost: written at the end (volume" \
    "90 after -), read at the next start (a 880x660 window, volume 80 after -), a damaged one" \
    "said once on stderr and the defaults used (in $((SECONDS - settings_from)) s)"

start_xvfb 800x600
start_game PebbleFrost.exe
[ "$x,$y,$width,$height" = "0,0,800,600" ] ||
    fail "the window covers ($x, $y) ${width}x${height}, not the whole 800x600 screen"
reach_menu
lit=$("$work/smoke_x11" lit) || fail "cannot read the screen"
[ "$lit" -gt 100000 ] || fail "the screen is not covered by the game ($lit pixels lit)"
quit_from_menu PebbleFrost.exe
echo "PASS: PebbleFrost.exe: full screen 800x600, title menu as drawn natively ($differing" \
    "pixels differ, $lit of the screen's lit), Quit ended it with status 0"
