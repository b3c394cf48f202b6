#!/usr/bin/env bash
# The windowed game on a virtual X display, left at the main menu: its own threads must use less
# than a tenth of one core. Prints the measured share.
# Usage: e2e_menu_cpu.sh <folder holding PebbleFrostWindowed and Data> [seconds] [limit percent]
set -u
build_dir=${1:-.}
seconds=${2:-8}
limit=${3:-10}
program=./PebbleFrostWindowed
cd "$build_dir" || { echo "FAIL: no build folder $build_dir"; exit 1; }
[ -x "$program" ] || { echo "FAIL: $build_dir/$program not built"; exit 1; }
for tool in Xvfb xdotool; do
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

# Escape skips the splash; the menu then waits with its music playing and the cursor shown.
sleep 1
timeout 10 xdotool key --window "$window" Escape || fail "xdotool key"
timeout 10 xdotool mousemove --window "$window" 120 80 || fail "xdotool mousemove"
sleep 1

# Processor time of the game's own process (all its threads; timeout is its parent), in ticks.
game=$(pgrep -P "$game_pid" | head -n 1)
[ -n "$game" ] || fail "cannot find the game's process"
ticks() { awk '{print $14 + $15}' "/proc/$game/stat"; }
hz=$(getconf CLK_TCK)
before=$(ticks) || fail "the game is not running"
start=$(date +%s.%N)
sleep "$seconds"
after=$(ticks) || fail "the game ended at the menu"
end=$(date +%s.%N)
percent=$(awk -v a="$before" -v b="$after" -v hz="$hz" -v s="$start" -v e="$end" \
    'BEGIN { printf "%.1f", 100 * (b - a) / hz / (e - s) }')
echo "menu: ${percent}% of one core over ${seconds} s"
awk -v p="$percent" -v l="$limit" 'BEGIN { exit !(p < l) }' ||
    fail "the menu uses ${percent}% of a core (limit ${limit}%)"
echo "PASS"
