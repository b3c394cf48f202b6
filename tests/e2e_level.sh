#!/usr/bin/env bash
# End-to-end run into the level on a virtual X display: skip the splash, click Start, skip the
# opening, watch the pages turn by themselves, open the pause menu with Escape and click Quit:
# the program ends with exit status 0. Usage: e2e_level.sh <folder holding PebbleFrostWindowed>
set -u
build_dir=${1:-.}
program=./PebbleFrostWindowed
cd "$build_dir" || { echo "FAIL: no build folder $build_dir"; exit 1; }
[ -x "$program" ] || { echo "FAIL: $build_dir/$program not built"; exit 1; }
for tool in Xvfb xdotool cc; do
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

Xvfb -displayfd 3 -screen 0 1024x768x24 -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start: $(tail -n 3 "$work/xvfb.log")"
export DISPLAY=":$(head -n 1 "$work/display")"
unset WAYLAND_DISPLAY SDL_VIDEODRIVER

timeout -k 3 120 "$program" >"$work/game.log" 2>&1 &
game_pid=$!
window=$(timeout 20 xdotool search --sync --name '^Pebble&Frost$' 2>/dev/null | head -n 1)
[ -n "$window" ] || fail "no window titled Pebble&Frost appeared"
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
sleep 3.5              # the menu fades in (slower on a busy machine)
click 400 365          # Start: the opening film
sleep 2.5              # the film takes Escape after its first second
key Escape             # on into the level
sleep 1
kill -0 "$game_pid" 2>/dev/null || fail "the game ended before the level"

# The pages turn by themselves: the picture changes without input (sampled for a while: a busy
# machine draws few pictures a second).
changed=""
previous=$("$work/sum" "$window" 100 100 600 400) || fail "cannot read the window's picture"
for _ in $(seq 12); do
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
