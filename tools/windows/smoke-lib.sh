# The steps of playing a Windows program under Wine on a bare virtual X display: sourced by
# test.sh (the dist folder) and by the installer's test (the installed folder). The caller sets
# work (a scratch folder holding smoke_x11 and menu.png), wine_run, game_folder (the working
# directory the program starts in), game_pid and xvfb_pid (empty), and defines fail.

start_xvfb() { # screen size
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -f "$work/display"
    Xvfb -displayfd 3 -screen 0 "$1x24" -noreset 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || fail "Xvfb did not start: $(tail -n 3 "$work/xvfb.log")"
    export DISPLAY=":$(head -n 1 "$work/display")"
}
start_game() { # program; sets window, window_after (seconds), x, y, width, height
    # Wine hands DISPLAY on to Windows programs, a real Windows has no such variable: the game
    # starts without it (Wine's own display driver still reads it).
    # The limits are in seconds, not tries: Wine starts slowly the first time in a new prefix or
    # on a new display, and much more slowly on a loaded machine.
    (cd "$game_folder" && exec timeout 300 "$wine_run" cmd /c "set DISPLAY=& set WAYLAND_DISPLAY=& $1") \
        >"$work/game.log" 2>&1 &
    game_pid=$!
    window=""
    local waited_from=$SECONDS status
    while [ $((SECONDS - waited_from)) -lt 240 ]; do
        for id in $(xdotool search --name '^Pebble&Frost$' 2>/dev/null); do
            xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && window=$id
        done
        [ -n "$window" ] && break
        if ! kill -0 "$game_pid" 2>/dev/null; then
            wait "$game_pid"
            status=$?
            game_pid=""
            [ "$status" = 124 ] && status="timed out after 300 s"
            fail "$1 ended before its window appeared (status $status, after" \
                "$((SECONDS - waited_from)) s)"
        fi
        sleep 0.2
    done
    [ -n "$window" ] ||
        fail "no window titled Pebble&Frost was shown by $1 within $((SECONDS - waited_from)) s"
    window_after=$((SECONDS - waited_from))
    local info
    info=$(xwininfo -id "$window") || fail "xwininfo cannot read the window"
    x=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
    y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
    width=$(awk '/^ *Width:/ {print $2}' <<<"$info")
    height=$(awk '/^ *Height:/ {print $2}' <<<"$info")
    # Under Wine the window shows before its first picture: wait for that.
    local lit=0
    for _ in $(seq 100); do
        lit=$("$work/smoke_x11" lit "$window") || fail "cannot read the window"
        [ "$lit" -gt 1000 ] && break
        sleep 0.2
    done
    [ "$lit" -gt 1000 ] || fail "$1 drew nothing in its window"
    # No window manager gives the focus: ask for it as one would, then keys reach the game.
    "$work/smoke_x11" focus "$window" || fail "cannot give the window the focus"
}
# The game reads input once a frame, 20-30 frames a second here: hold keys and clicks.
press() { xdotool keydown "$1" && sleep 0.3 && xdotool keyup "$1"; }
click() { # x y in the window
    xdotool mousemove --window "$window" "$1" "$2" && sleep 0.3 && xdotool mousedown 1 &&
        sleep 0.3 && xdotool mouseup 1
}
quit_from_menu() { # program [x y of Quit in the window, when it is not 800x600]
    # A loaded machine can drop a frame's worth of click: try again while the game runs.
    for _ in 1 2 3; do
        # A click on a window that the game has just closed fails: that is the game ending.
        click "${2:-400}" "${3:-545}" || { sleep 1; ! kill -0 "$game_pid" 2>/dev/null || fail "xdotool click"; }
        for _ in $(seq 60); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
        kill -0 "$game_pid" 2>/dev/null || break
    done
    kill -0 "$game_pid" 2>/dev/null && fail "Quit in the menu did not end $1"
    wait "$game_pid"
    local status=$?
    game_pid=""
    [ "$status" = 0 ] || fail "$1 exited with status $status"
}

# Escape skips the splash and the film; after two seconds, with the cursor over Start, the menu
# must look as the native game draws it at that moment. A few tries while it settles, and Escape
# again should a loaded machine have dropped it.
reach_menu() {
    press Escape || fail "xdotool key"
    sleep 2
    xdotool mousemove --window "$window" 420 370 || fail "xdotool mousemove"
    for try in $(seq 20); do
        sleep 0.5
        differing=$("$work/smoke_x11" differ "$window" "$work/menu.png") || fail "cannot compare"
        [ "$differing" -lt 4800 ] && break
        [ "$try" = 10 ] && { press Escape || fail "xdotool key"; }
    done
    [ "$differing" -lt 4800 ] ||
        fail "the menu differs from the native one in $differing of 480000 pixels"
}

