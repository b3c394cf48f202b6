#!/usr/bin/env bash
# The full-screen build on a virtual X display of 800 x 600: its window fills the screen, the
# title draws, and Quit in the main menu ends the program with exit status 0.
# Usage: e2e_fullscreen.sh <folder holding PebbleFrost and Data>
set -u
build_dir=${1:-.}
program=./PebbleFrost
cd "$build_dir" || { echo "FAIL: no build folder $build_dir"; exit 1; }
[ -x "$program" ] || { echo "FAIL: $build_dir/$program not built"; exit 1; }
for tool in Xvfb xdotool xwininfo cc; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed"; exit 1; }
done

work=$(mktemp -d)
xvfb_pid=""
game_pid=""
cleanup() {
    # The game first (it is a child of `timeout`): a game left running without its X server
    # would spin on, so it is killed outright.
    if [ -n "$game_pid" ]; then
        pkill -KILL -P "$game_pid" 2>/dev/null
        kill -KILL "$game_pid" 2>/dev/null
    fi
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    [ -s "$work/game.log" ] && { echo "--- game output:"; tail -n 20 "$work/game.log"; }
    exit 1
}

# How many pixels of the root window's picture differ from its top-left pixel.
cat > "$work/lit.c" <<'EOF'
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
int main(void) {
    Display* d = XOpenDisplay(NULL);
    if (!d) return 1;
    Window root = DefaultRootWindow(d);
    XWindowAttributes a;
    XGetWindowAttributes(d, root, &a);
    XImage* image = XGetImage(d, root, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
    if (!image) return 1;
    unsigned long first = XGetPixel(image, 0, 0), lit = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) lit += XGetPixel(image, x, y) != first;
    printf("%lu\n", lit);
    return 0;
}
EOF
cc -o "$work/lit" "$work/lit.c" -lX11 || fail "cannot build the picture helper"

Xvfb -displayfd 3 -screen 0 800x600x24 -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start: $(tail -n 3 "$work/xvfb.log")"
export DISPLAY=":$(head -n 1 "$work/display")"
unset WAYLAND_DISPLAY SDL_VIDEODRIVER

timeout -k 3 90 "$program" >"$work/game.log" 2>&1 &
game_pid=$!
window=$(timeout 20 xdotool search --sync --name '^Pebble&Frost$' 2>/dev/null | head -n 1)
[ -n "$window" ] || fail "no window titled Pebble&Frost appeared"
for _ in $(seq 100); do
    xwininfo -id "$window" 2>/dev/null | grep -q 'Map State: IsViewable' && break
    sleep 0.1
done
info=$(xwininfo -id "$window") || fail "xwininfo cannot read the window"
x=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
width=$(awk '/^ *Width:/ {print $2}' <<<"$info")
height=$(awk '/^ *Height:/ {print $2}' <<<"$info")
[ "$x,$y,$width,$height" = "0,0,800,600" ] ||
    fail "the window covers ($x, $y) ${width}x${height}, not the whole 800x600 screen"

timeout 10 xdotool keydown Escape && sleep 0.3 && timeout 10 xdotool keyup Escape ||
    fail "xdotool key"
sleep 2 # the menu fades in
lit=$("$work/lit") || fail "cannot read the screen"
[ "$lit" -gt 100000 ] || fail "the title menu did not draw ($lit pixels lit)"

# Quit in the main menu: the picture fades, then the program ends. A busy machine may still be
# fading the menu in when the first click comes: click again if the game goes on.
for attempt in 1 2 3; do
    timeout 10 xdotool mousemove 400 545 && sleep 0.3 && timeout 10 xdotool mousedown 1 &&
        sleep 0.3 && timeout 10 xdotool mouseup 1 || fail "xdotool click"
    for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$game_pid" 2>/dev/null || break
done
kill -0 "$game_pid" 2>/dev/null && fail "Quit in the menu did not end the game"
wait "$game_pid"
status=$?
game_pid=""
[ "$status" = 0 ] || fail "the game exited with status $status"
echo "PASS: full screen 800x600, title drawn ($lit pixels lit), Quit ended it with status 0"
