#!/usr/bin/env bash
# End-to-end run of the windowed game on a virtual X display: the window appears with its title
# and an 800 x 600 client area, takes mouse and keyboard input, and closing it ends the program
# with exit status 0. Usage: e2e_window.sh <folder holding PebbleFrostWindowed and Data>
set -u
build_dir=${1:-.}
. "$(dirname "$0")/e2e_common.sh"
e2e_begin "$build_dir" ./PebbleFrostWindowed Xvfb xdotool xwininfo cc

# Closing the window the way a window manager does: WM_DELETE_WINDOW (a bare X display has no
# window manager, and destroying the window outright would kill the client instead).
cat > "$work/close.c" <<'EOF'
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>
int main(int argc, char** argv) {
    Display* d = XOpenDisplay(NULL);
    if (!d || argc < 2) return 1;
    XEvent e = {0};
    e.xclient.type = ClientMessage;
    e.xclient.window = strtoul(argv[1], NULL, 0);
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = XInternAtom(d, "WM_DELETE_WINDOW", False);
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, e.xclient.window, False, NoEventMask, &e);
    XSync(d, False);
    XCloseDisplay(d);
    return 0;
}
EOF
cc -o "$work/close" "$work/close.c" -lX11 || fail "cannot build the window-closing helper"

# Xvfb picks a free display number and reports it.
e2e_display 1024x768x24

e2e_start_game 90
# The window is mapped once the first frame is ready.
for _ in $(seq 100); do
    xwininfo -id "$window" 2>/dev/null | grep -q 'Map State: IsViewable' && break
    sleep 0.1
done

info=$(xwininfo -id "$window") || fail "xwininfo cannot read the window"
width=$(awk '/^ *Width:/ {print $2}' <<<"$info")
height=$(awk '/^ *Height:/ {print $2}' <<<"$info")
[ "$width" = 800 ] && [ "$height" = 600 ] || fail "client area is ${width}x${height}, not 800x600"
grep -q 'Map State: IsViewable' <<<"$info" || fail "the window was never shown"

# Mouse and keyboard: move across the picture, hold a key (Right turns pages in the level).
timeout 10 xdotool mousemove --window "$window" 400 300 || fail "xdotool mousemove"
timeout 10 xdotool mousemove --window "$window" 120 80 || fail "xdotool mousemove"
timeout 10 xdotool keydown Right && sleep 0.5 && timeout 10 xdotool keyup Right ||
    fail "xdotool key"
sleep 0.5
kill -0 "$game_pid" 2>/dev/null || fail "the game ended before its window was closed"

timeout 10 "$work/close" "$window" || fail "cannot send WM_DELETE_WINDOW"
for _ in $(seq 150); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$game_pid" 2>/dev/null; then
    fail "the game did not end within 15 s of closing its window"
fi
wait "$game_pid"
status=$?
game_pid=""
[ "$status" = 0 ] || fail "the game exited with status $status"

# The window's size stays for the next run, in the preference folder (XDG_DATA_HOME here).
settings="$XDG_DATA_HOME/PebbleFrost/settings.txt"
grep -qx 'window 800 600' "$settings" 2>/dev/null || fail "no window size kept in $settings"

client_size() {
    local info
    info=$(xwininfo -id "$window") || fail "xwininfo cannot read the window"
    echo "$(awk '/^ *Width:/ {print $2}' <<<"$info")x$(awk '/^ *Height:/ {print $2}' <<<"$info")"
}
# wait_size <WxH>: the window reaches that size within 5 s.
wait_size() {
    for _ in $(seq 50); do [ "$(client_size)" = "$1" ] && return 0; sleep 0.1; done
    fail "the window is $(client_size), not $1"
}

# A second run: resized by the player, then F11 twice. A bare X server has no window manager to
# fill the screen for SDL, so only this is seen here: the game takes both switches and keeps
# the size the player chose for its window.
e2e_start_game 60
wait_size 800x600
timeout 10 xdotool windowsize "$window" 900 700 || fail "xdotool windowsize"
wait_size 900x700
for _ in 1 2; do
    timeout 10 xdotool mousemove --window "$window" 400 300 && timeout 10 xdotool key F11 ||
        fail "xdotool key F11"
    sleep 0.5
done
kill -0 "$game_pid" 2>/dev/null || fail "the game ended after F11"
wait_size 900x700
timeout 10 "$work/close" "$window" || fail "cannot send WM_DELETE_WINDOW"
for _ in $(seq 150); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
wait "$game_pid"
status=$?
game_pid=""
[ "$status" = 0 ] || fail "the second run exited with status $status"
grep -qx "window 900 700" "$settings" || fail "the new size was not kept: $(tr "\n" " " <"$settings")"

# A third run opens at the kept size.
e2e_start_game 60
wait_size 900x700
timeout 10 "$work/close" "$window" || fail "cannot send WM_DELETE_WINDOW"
for _ in $(seq 150); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
wait "$game_pid"
game_pid=""
echo "PASS: window ${width}x${height}, input taken, closed with exit status 0; its size was" \
    "kept for the next run, also across F11"
