#!/usr/bin/env bash
# The windowed game on a virtual X display, left at the main menu: its own threads must use less
# than a tenth of one core. Prints the measured share.
# Usage: e2e_menu_cpu.sh <folder holding PebbleFrostWindowed and Data> [seconds] [limit percent]
set -u
build_dir=${1:-.}
seconds=${2:-8}
limit=${3:-10}
. "$(dirname "$0")/e2e_common.sh"
e2e_begin "$build_dir" ./PebbleFrostWindowed Xvfb xdotool

e2e_display 1024x768x24

e2e_start_game 120

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
