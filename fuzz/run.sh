#!/usr/bin/env bash
# Runs every fuzz target for a set time from the fuzz build folder (which holds Data), seeded
# from the shipped data, the committed hostile files and earlier crash inputs. An input that
# crashes a target is copied to tests/fuzz_regressions/<target>/ for the suite and fails the run.
# Usage: fuzz/run.sh <fuzz build folder> [seconds per target]
set -u
build=$(cd "$1" && pwd)
seconds=${2:-60}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
regressions=$source_dir/tests/fuzz_regressions
work=$build/fuzz
failed=0

# seed <target> <selector byte as octal or ""> <files...>: one seed per file, the selector byte
# first when the target reads one.
seed() {
    local target=$1 selector=$2
    shift 2
    mkdir -p "$work/seeds/$target"
    local n=0
    for file in "$@"; do
        [ -f "$file" ] || continue
        n=$((n + 1))
        { [ -n "$selector" ] && printf "\\$selector"; cat "$file"; } >"$work/seeds/$target/$n"
    done
}

rm -rf "$work/seeds"
data=$build/Data
seed path_list 016 "$data"/Address/*/*.txt "$data"/Text/*/*_OBJ.txt  # read as 15 paths
seed property_file 000 "$data"/Text/One/Char/*.txt
seed property_file 002 "$data"/Text/One/Back/*.txt
seed property_file 003 "$data"/Text/One/Coll/*.txt
seed property_file 004 "$data"/Text/Bag/Tear/*.txt
seed property_file 005 "$data"/Text/Bag/Tearing/*.txt
seed png "" "$data"/image/Support/*.png "$data"/image/Bag/*/*.png "$source_dir"/tests/hostile/*.png
seed ogg "" "$data"/Sound/click.ogg "$data"/Sound/page.ogg "$data"/Sound/tear.ogg \
    "$source_dir"/tests/hostile/*.ogg
mkdir -p "$work/seeds/level_undo" "$work/seeds/level_walkthrough"
for n in 1 2 3 4 5 6 7 8; do # random play of a few hundred actions each
    head -c 600 /dev/urandom >"$work/seeds/level_undo/$n"
done
# One seed per checkpoint of the walkthrough (every 25th page, 17 of them): its number first.
for n in $(seq 0 16); do
    { printf "\\$(printf %03o "$n")"; head -c 200 /dev/urandom; } >"$work/seeds/level_walkthrough/$n"
done

cd "$build" || exit 1
# Leaks owned by system libraries are the suite's to name (tests/lsan.supp); the game's never are.
export LSAN_OPTIONS=suppressions=$source_dir/tests/lsan.supp:print_suppressions=0
# FUZZ_TARGETS picks some of the targets (all by default).
for target in ${FUZZ_TARGETS:-path_list property_file png ogg level_undo level_walkthrough}; do
    program=$work/fuzz_$target
    corpus=$work/corpus/$target
    crashes=$work/crashes/$target
    rm -rf "$crashes" # only what this run finds counts
    mkdir -p "$corpus" "$crashes"
    extra=()
    [ -d "$regressions/$target" ] && extra+=("$regressions/$target")
    echo "== fuzz_$target for ${seconds}s"
    "$program" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 -print_final_stats=1 \
        -artifact_prefix="$crashes/" "$corpus" "$work/seeds/$target" "${extra[@]}" \
        >"$work/$target.log" 2>&1
    status=$?
    grep -E "^(stat::number_of_executed_units|stat::new_units_added|level undo)|Done [0-9]+ runs" \
        "$work/$target.log" | sed 's/^/   /'
    found=$(find "$crashes" -type f | wc -l)
    if [ "$status" -ne 0 ] || [ "$found" -gt 0 ]; then
        failed=1
        mkdir -p "$regressions/$target"
        cp "$crashes"/* "$regressions/$target/" 2>/dev/null
        echo "   FAILED (status $status, $found crash inputs copied to tests/fuzz_regressions/$target)"
        grep -m 5 -E "ERROR|SUMMARY|runtime error" "$work/$target.log" | sed 's/^/   /'
    fi
done
exit $failed
