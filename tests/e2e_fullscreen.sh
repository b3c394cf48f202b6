#!/usr/bin/env bash
# The full-screen build on a virtual X display of 800 x 600: its window fills the screen, the
# title draws, and Quit in the main menu ends the program with exit status 0.
# Usage: e2e_fullscreen.sh <folder holding PebbleFrost and Data>
set -u
build_dir=${1:-.}
. "$(dirname "$0")/e2e_common.sh"
e2e_begin "$build_dir" ./PebbleFrost Xvfb xdotool xwininfo cc

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

e2e_display 800x600x24

e2e_start_game 90
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
