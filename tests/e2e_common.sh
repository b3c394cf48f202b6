# Shared by the end-to-end scripts: a scratch folder, a virtual X display, the game started on it
# and everything taken down again at the end. Source it, then call the steps in order.

# e2e_begin <build folder> <program> <tools...>: enters the folder and checks what is needed.
e2e_begin() {
    local build_dir=$1
    program=$2
    shift 2
    cd "$build_dir" || { echo "FAIL: no build folder $build_dir"; exit 1; }
    [ -x "$program" ] || { echo "FAIL: $build_dir/$program not built"; exit 1; }
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed"; exit 1; }
    done
    work=$(mktemp -d)
    # The game keeps its settings in the scratch folder, never in the user's own.
    export XDG_DATA_HOME="$work/data-home"
    xvfb_pid=""
    game_pid=""
    trap e2e_cleanup EXIT
}

e2e_cleanup() {
    # The game first (it is a child of `timeout`): a game left running without its X server
    # would spin on, so it is killed outright.
    if [ -n "$game_pid" ]; then
        pkill -KILL -P "$game_pid" 2>/dev/null
        kill -KILL "$game_pid" 2>/dev/null
    fi
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}

fail() {
    echo "FAIL: $*"
    [ -n "${E2E_SHOT:-}" ] && [ -n "${window:-}" ] && import -window "$window" "$E2E_SHOT" 2>/dev/null
    [ -s "$work/game.log" ] && { echo "--- game output:"; tail -n 20 "$work/game.log"; }
    exit 1
}

# e2e_display <WxHxD>: a virtual X display on a free number, made the current one.
e2e_display() {
    Xvfb -displayfd 3 -screen 0 "$1" -noreset 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || fail "Xvfb did not start: $(tail -n 3 "$work/xvfb.log")"
    export DISPLAY=":$(head -n 1 "$work/display")"
    unset WAYLAND_DISPLAY SDL_VIDEODRIVER
}

# e2e_start_game <seconds>: the program on that display, and its window once it appears.
e2e_start_game() {
    timeout -k 3 "$1" "$program" >"$work/game.log" 2>&1 &
    game_pid=$!
    window=$(timeout 60 xdotool search --sync --name '^Pebble&Frost$' 2>/dev/null | head -n 1)
    [ -n "$window" ] || fail "no window titled Pebble&Frost appeared"
}
