#!/usr/bin/env bash
# End-to-end run into the level on a virtual X display: skip the splash, click Start, skip the
# opening, watch the pages turn by themselves, open the pause menu with Escape and click Quit:
# the program ends with exit status 0. Usage: e2e_level.sh <folder holding PebbleFrostWindowed>
set -u
build_dir=${1:-.}
. "$(dirname "$0")/e2e_common.sh"
e2e_begin "$build_dir" ./PebbleFrostWindowed Xvfb xdotool cc

# A checksum of the window's picture inside a rectangle, to tell whether it changes.
cat > "$work/sum.c" <<'EOF'
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>
int main(int argc, char** argv) {
    Display* d = XOpenDisplay(NULL);
    if (!d || argc < 6) return 1;
    Window w = strtoul(argv[1], NULL, 0);
    int x = atoi(argv[2]), y = atoi(argv[3]), wd = atoi(argv[4]), ht = atoi(argv[5]);
    XImage* image = XGetImage(d, w, x, y, wd, ht, AllPlanes, ZPixmap);
    if (!image) return 1;
    unsigned long sum = 0;
    for (int j = 0; j < ht; ++j)
        for (int i = 0; i < wd; ++i) sum = sum * 31 + XGetPixel(image, i, j);
    printf("%lu\n", sum);
    XDestroyImage(image);
    XCloseDisplay(d);
    return 0;
}
EOF
cc -o "$work/sum" "$work/sum.c" -lX11 || fail "cannot build the picture checksum helper"

e2e_display 1024x768x24

e2e_start_game 120
sleep 1

# Keys and clicks are held a moment: the game reads them once per frame.
key() {
    timeout 10 xdotool keydown "$1" && sleep 0.3 && timeout 10 xdotool keyup "$1" ||
        fail "xdotool key $1"
    sleep 0.3
}
click() {
    timeout 10 xdotool mousemove --window "$window" "$1" "$2" && sleep 0.3 &&
        timeout 10 xdotool mousedown 1 && sleep 0.3 && timeout 10 xdotool mouseup 1 ||
        fail "xdotool click at $1 $2"
    sleep 0.3
}

key Escape             # the splash: straight to the menu
# The menu fades in (slower on a busy machine): wait until its picture, with the cursor on
# Start, holds still.
sleep 1.5
timeout 10 xdotool mousemove --window "$window" 400 365 || fail "xdotool mousemove"
previous=""
for _ in $(seq 40); do
    now=$("$work/sum" "$window" 100 100 600 400) || fail "cannot read the window's picture"
    [ "$now" = "$previous" ] && break
    previous=$now
    sleep 0.5
done
menu=$now
click 400 365          # Start: the opening film
sleep 1
now=$("$work/sum" "$window" 100 100 600 400) || fail "cannot read the window's picture"
[ "$now" = "$menu" ] && click 400 365 # a busy machine missed it: once more
sleep 2.5              # the film takes Escape after its first second
key Escape             # on into the level
sleep 1
kill -0 "$game_pid" 2>/dev/null || fail "the game ended before the level"

# The pages turn by themselves: the picture changes without input (sampled for a while: a busy
# machine draws few pictures a second, and loading the level's pictures can take it many seconds).
changed=""
previous=$("$work/sum" "$window" 100 100 600 400) || fail "cannot read the window's picture"
for _ in $(seq 60); do
    sleep 0.5
    now=$("$work/sum" "$window" 100 100 600 400) || fail "cannot read the window's picture"
    [ "$now" != "$previous" ] && { changed=1; break; }
done
[ -n "$changed" ] || fail "the level's picture did not change while pages turn"

key Escape             # the pause menu
for attempt in 1 2 3; do
    click 406 425      # its Quit button (clicked again if a busy machine missed it)
    for _ in $(seq 70); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$game_pid" 2>/dev/null || break
done
if kill -0 "$game_pid" 2>/dev/null; then
    fail "Quit in the pause menu did not end the game"
fi
wait "$game_pid"
status=$?
game_pid=""
[ "$status" = 0 ] || fail "the game exited with status $status"
echo "PASS: level reached, pages turned, pause menu Quit ended the game with status 0"
