#!/usr/bin/env bash
# Resource use of the windowed game on a virtual X display (software GL): start-up time until
# the window shows, resident memory at the menu and in the level (split into anonymous memory,
# which holds every heap, and file-backed pages, mostly the libraries' code), and processor time
# per thread while idle at the menu. The game's own share of the memory (its pictures and clips)
# is reported by `make bench` (BM_OwnMemoryAtTheMenuAndInTheLevel).
# Usage: measure.sh <folder holding PebbleFrostWindowed and Data> [idle seconds]
set -u
build_dir=${1:-build}
seconds=${2:-10}
. "$(dirname "$0")/../../tests/e2e_common.sh"
e2e_begin "$build_dir" ./PebbleFrostWindowed Xvfb xdotool
e2e_display 1024x768x24

start=$(date +%s.%N)
timeout -k 3 120 "$program" >"$work/game.log" 2>&1 &
game_pid=$!
disown "$game_pid" # ended by the clean-up without a job notice
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Pebble&Frost$' 2>/dev/null |
    head -n 1)
shown=$(date +%s.%N)
[ -n "$window" ] || fail "no window titled Pebble&Frost appeared"
game=$(pgrep -P "$game_pid" | head -n 1)
[ -n "$game" ] || fail "cannot find the game's process"
awk -v a="$start" -v b="$shown" 'BEGIN { printf "start-up: window shown after %.2f s\n", b - a }'

memory() {
    awk -v where="$1" '/^(VmRSS|RssAnon|RssFile|RssShmem|VmHWM):/ { v[$1] = $2 }
        END { printf "%s: resident %.1f MiB (anonymous %.1f, file-backed %.1f, shared %.1f), peak %.1f MiB\n",
              where, v["VmRSS:"] / 1024, v["RssAnon:"] / 1024, v["RssFile:"] / 1024,
              v["RssShmem:"] / 1024, v["VmHWM:"] / 1024 }' "/proc/$game/status" ||
        fail "the game is not running"
}

key() {
    timeout 10 xdotool keydown "$1" && sleep 0.3 && timeout 10 xdotool keyup "$1" ||
        fail "xdotool key $1"
}
click() {
    timeout 10 xdotool mousemove --window "$window" "$1" "$2" && sleep 0.3 &&
        timeout 10 xdotool mousedown 1 && sleep 0.3 && timeout 10 xdotool mouseup 1 ||
        fail "xdotool click at $1 $2"
}

# Idle at the menu: the splash skipped, the menu faded in, the cursor parked.
sleep 1
key Escape
sleep 4
timeout 10 xdotool mousemove --window "$window" 120 80 || fail "xdotool mousemove"
sleep 1
memory "menu"

# Processor time per thread over the idle period, in percent of one core.
hz=$(getconf CLK_TCK)
snapshot() {
    for stat in /proc/"$game"/task/*/stat; do
        sed -E 's/^([0-9]+) \((.*)\) (.*)$/\1 \2|\3/' "$stat" |
            awk -F'|' '{ split($1, id, " "); split($2, f, " ");
                         name = substr($1, length(id[1]) + 2); gsub(/ /, "_", name);
                         print id[1], name, f[12] + f[13] }'
    done
}
snapshot >"$work/before"
sleep "$seconds"
snapshot >"$work/after"
echo "menu, idle for ${seconds} s: processor time per thread (% of one core)"
join <(sort "$work/before") <(sort "$work/after") |
    awk -v hz="$hz" -v s="$seconds" '{ p = 100 * ($5 - $3) / hz / s; total += p;
        printf "  %-20s %5.1f\n", $2, p } END { printf "  %-20s %5.1f\n", "all threads", total }'

# Into the level: Start, the opening skipped, the pages turning by themselves.
click 400 365
sleep 2.5
key Escape
sleep 4
memory "level"

kill "$game" 2>/dev/null
