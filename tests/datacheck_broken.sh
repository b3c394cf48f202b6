#!/usr/bin/env bash
# The data checker must report every problem of a damaged data set at once, naming each file.
# Usage: datacheck_broken.sh <datacheck binary> <Data folder>
set -u
checker=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$data" "$work/Data"
D=$work/Data

fail=0
out=""
expect() {
    if ! grep -qF -- "$1" <<<"$out"; then
        echo "MISSING: a problem mentioning '$1'"
        fail=1
    fi
}
run() {
    out=$("$checker" "$@")
    local status=$?
    echo "$out"
    [ $status -eq 1 ] || { echo "expected exit status 1, got $status"; fail=1; }
}
# set <property file under Text> <label> <value>: rewrites one labelled value.
set_value() {
    sed -i "s/^$2 .*/$2 $3/" "$D/Text/$1"
}

# Shared pictures, bag and clips.
rm "$D/image/Bag/apple.png"                                  # a missing picture
printf 'x 1\ny two\n' > "$D/Text/Bag/Tear/pear.txt"           # a value that is not a number
printf 'Data\\image\\Bag\\boulder.png\n' > "$D/Address/Bag/Small.txt" # a short list
cp "$D/image/Support/Cursor_Rock.png" "$D/image/Support/inventoryNum.png" # wrong size
echo "not a clip" > "$D/Sound/help.ogg"
set_value Bag/Tearing/egg.txt frames 0
set_value Bag/Tear/key.txt width 5000                         # wider than the game loads

# The level's lists.
sed -i '$d' "$D/Address/One/Char_Normal.txt"
sed -i '1s/.*/Data\\image\\One\\Coll_OBJ\\a_collision_picture_with_a_name_far_too_long_for_it.png/' \
    "$D/Address/One/Collision_OBJ.txt"
# Characters: frame counts and the places the keyframes start from.
set_value One/Char/walk.txt x 76
set_value One/Char/walk.txt frames 4
set_value One/Char/walk.txt frame_height 61
set_value Head_OBJ.txt frame_width 20
set_value One/Char/knocked_down.txt frames 2
set_value One/Char/windmill_ride.txt x 80
set_value One/Char/elk_mount.txt frames 4
set_value One/Char/elk_slip.txt y 340
set_value One/Char/elk_ride.txt x 156
set_value One/Char/windmill_fall.txt frames 2
set_value One/Char/landed_dazed.txt frames 1
set_value One/Char/thrown_off.txt frames 1
set_value One/Char/elk_jump.txt y 206
set_value One/Char/ring_bell.txt frames 4
set_value One/Char/pit_fall.txt frames 0
set_value One/Char/goose_carried.txt frames 1
set_value One/Char/sun_dazzled.txt frames 1
set_value One/Char/snow_buried.txt frames 1
# Collision objects.
set_value One/Coll/stable_gate.txt frames 2
set_value One/Coll/hare_balloon.txt frames 4
set_value One/Coll/snow_imp.txt frames 4
set_value One/Coll/fox_fleeing.txt frames 2
set_value One/Coll/snow_hare_hopping.txt frames 2
set_value One/Coll/hedgehog.txt frames 5
set_value One/Coll/snowball.txt frame_width 0
# Background objects: sizes and start states.
set_value One/Back/boardwalk.txt frame_width 44
set_value One/Back/birch_arch.txt frame_width 100
set_value One/Back/home_cottage.txt state 2
set_value One/Back/lamp_shutters.txt state 1
set_value One/Back/robin.txt state 5
set_value One/Back/frost_bough.txt y 46
# Steps, ground lines, the order along the way and the delays.
set_value One/Back/farmhouse.txt step 18
set_value Bag/Tear/bird.txt step 21
set_value Bag/Tear/boulder.txt y 360
set_value Bag/Tear/plank.txt y 520
set_value One/Coll/sleeping_elk.txt x 4603
set_value One/Coll/snow_imp.txt x 103
set_value One/Back/kite.txt x 300
set_value Bag/Tear/sun.txt x 700
set_value One/Back/troll_walking.txt x 600
set_value One/Back/stump_nest.txt x 1600

run --skip-level-pictures "$D"
expect "Data/image/Bag/apple.png: missing picture"
expect "Data/Text/Bag/Tear/pear.txt: value of 'y' is not an integer"
expect "Data/Address/Bag/Small.txt: 1 paths, the game reads 15"
expect "Data/image/Support/inventoryNum.png: picture is"
expect "Data/Sound/help.ogg"
expect "Data/Text/Bag/Tearing/egg.txt: frame count 0 is outside 1..256"
expect "Data/Text/Bag/Tear/key.txt: width 5000 is outside 1..4096"
expect "Data/Address/One/Char_Normal.txt: 16 paths, the game reads 17"
expect "Data/Address/One/Collision_OBJ.txt: path 'Data\\image\\One\\Coll_OBJ\\a_collision"
C=Data/Text/One/Char
expect "$C/walk.txt: character 0 at (76, 450), the keyframes need (75, 450)"
expect "$C/walk.txt: character 0 has 4 frames, needs 5"
expect "$C/walk.txt: the walker's feet are at y 572, the ground line is 570"
expect "Data/Text/Head_OBJ.txt: the head shows 40 wide, needs at least 50"
expect "$C/knocked_down.txt: character 1 has 2 frames, needs 3"
expect "$C/windmill_ride.txt: character 2 at (80, 424)"
expect "$C/elk_mount.txt: character 3 has 4 frames, needs 5"
expect "$C/elk_slip.txt: character 4 at (124, 340)"
expect "$C/elk_ride.txt: character 5 at (156, 232)"
expect "$C/windmill_fall.txt: character 6 has 2 frames, needs at least 3"
expect "$C/landed_dazed.txt: character 7 has 1 frames, needs at least 2"
expect "$C/thrown_off.txt: character 8 has 1 frames, needs at least 2"
expect "$C/elk_jump.txt: character 9 at (75, 206)"
expect "$C/ring_bell.txt: character 11 has 4 frames, needs at least 5"
expect "$C/pit_fall.txt: character 13 has 0 frames, needs at least 1"
expect "$C/goose_carried.txt: character 14 has 1 frames, needs at least 2"
expect "$C/sun_dazzled.txt: character 15 has 1 frames, needs at least 2"
expect "$C/snow_buried.txt: character 16 has 1 frames, needs at least 2"
K=Data/Text/One/Coll
expect "$K/stable_gate.txt: collision object 3 has 2 frames, needs 3"
expect "$K/hare_balloon.txt: collision object 5 has 4 frames, needs at least 5"
expect "$K/snow_imp.txt: collision object 9 has 4 frames, needs 1 to 3"
expect "$K/fox_fleeing.txt: collision object 15 has 2 frames, needs at least 3"
expect "$K/snow_hare_hopping.txt: collision object 21 has 2 frames, needs 3"
expect "$K/hedgehog.txt: collision object 22 has 5 frames, needs 4"
expect "$K/snowball.txt: frame width 0 is outside 1..4096"
B=Data/Text/One/Back
expect "$B/boardwalk.txt: the pit's tiles are 89 apart, its frame width must be 45"
expect "$B/birch_arch.txt: the mirrored pair needs a frame width of at least 101"
expect "$B/home_cottage.txt: the ending object starts hidden"
expect "$B/lamp_shutters.txt: background object 12 must start hidden (state 2)"
expect "$B/robin.txt: state 5 is outside 0..2"
expect "$B/frost_bough.txt: the landmarks' anchor must stand at y 45"
expect "$B/farmhouse.txt: step 18, everything on the ground moves 20 px per page"
expect "Data/Text/Bag/Tear/bird.txt: item 2 steps 21, its host collision object 0 steps 20"
expect "Data/Text/Bag/Tear/boulder.txt: the boulder on the lane lies at y 360, its ground line is 370"
expect "Data/Text/Bag/Tear/plank.txt: the plank lies at y 520"
expect "$K/sleeping_elk.txt: collision object 1 (the mount) starts at x 4603"
expect "$K/fence.txt: the jump comes before the mount along the way"
expect "$K/snow_imp.txt: the thrower must enter from the left"
expect "$B/imp_arms.txt: the thrower's arms start at x 219, beyond 200 it throws at once"
expect "$B/kite.txt: the kite must start left of x 200"
expect "Data/Text/Bag/Tear/sun.txt: the sun must start beyond x 759"
expect "$B/troll_walking.txt: the guard must arrive from beyond x 620"
expect "$B/stump_nest.txt: background object 0 starts at x 1600 and would stop exactly on x 860"

# The level's pictures, checked once painted: a missing one and one of the wrong size.
rm -f "$D/image/One/Char/knocked_down.png" "$D/image/One/Back_OBJ/smoke1.png"
mkdir -p "$D/image/One/Char"
cp "$D/image/Support/Cursor_Rock.png" "$D/image/One/Char/elk_ride.png"
run "$D"
expect "Data/image/One/Char/knocked_down.png: missing picture"
expect "Data/image/One/Char/elk_ride.png: picture is"
expect "Data/image/One/Back_OBJ/smoke1.png: missing picture"

# Hostile files in a fresh copy: missing lists, FIFOs and folders in place of files, pictures and
# clips the game's loaders refuse, values far outside their ranges. Each is reported by name, and
# the checker neither crashes nor blocks (a hang ends in `timeout`'s status 124).
rm -rf "$D"
cp -r "$data" "$D"
hostile=$(cd "$(dirname "$0")/hostile" && pwd)
rm "$D/Address/Bag/Hole.txt"
rm "$D/Address/One/Back_OBJ.txt" && mkfifo "$D/Address/One/Back_OBJ.txt"
rm "$D/Text/One/Coll/fence.txt" && mkfifo "$D/Text/One/Coll/fence.txt"
rm "$D/Text/Bag/Tear/key.txt" && mkdir "$D/Text/Bag/Tear/key.txt"
cp "$hostile/huge_header.png" "$D/image/Bag/apple.png"
cp "$hostile/wide_20000.png" "$D/image/Common/back.png"
cp "$hostile/truncated.png" "$D/image/Support/Cursor_Rock.png"
rm "$D/image/Common/help_p.png" && mkfifo "$D/image/Common/help_p.png"
cp "$hostile/rate_1hz.ogg" "$D/Sound/tear.ogg"
head -c 3000 "$data/Sound/menu.ogg" >"$D/Sound/menu.ogg"
rm "$D/Sound/click.ogg" && mkfifo "$D/Sound/click.ogg"
set_value Bag/Tear/pear.txt x 2147483647
set_value One/Back/farmhouse.txt step -2147483648
set_value One/Coll/snowball.txt frame_width 99999999999
out=$(timeout 60 "$checker" "$D")
status=$?
echo "$out"
[ $status -eq 1 ] || { echo "hostile files: expected exit status 1, got $status"; fail=1; }
expect "Data/Address/Bag/Hole.txt: cannot open list file"
expect "Data/Address/One/Back_OBJ.txt: cannot open list file: is a pipe"
expect "Data/Text/One/Coll/fence.txt: cannot open property file: is a pipe"
expect "Data/Text/Bag/Tear/key.txt: cannot open property file: is a folder"
expect "Data/image/Bag/apple.png: declares 32918 x 64536 pixels"
expect "Data/image/Common/back.png: declares 20000 x 20000 pixels"
expect "Data/image/Support/Cursor_Rock.png: cannot be decoded"
expect "Data/image/Common/help_p.png: is a pipe"
expect "Data/Sound/tear.ogg declares 1 channels at 1 Hz"
expect "Data/Sound/menu.ogg is not an Ogg Vorbis stream"
expect "Data/Sound/click.ogg is a pipe"
expect "Data/Text/Bag/Tear/pear.txt: x 2147483647 is outside -100000..100000"
expect "Data/Text/One/Back/farmhouse.txt: step -2147483648 is outside -1000..1000"
expect "Data/Text/One/Coll/snowball.txt: value of 'frame_width' is not an integer"
exit $fail
