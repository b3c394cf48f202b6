#!/usr/bin/env bash
# The data checker must report every problem of a damaged data set at once, naming each file.
# Usage: datacheck_broken.sh <datacheck binary> <Data folder>
set -u
checker=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$data" "$work/Data"

rm "$work/Data/image/Bag/apple.png"                                  # a missing picture
printf 'x 1\ny two\n' > "$work/Data/Text/Bag/Tear/pear.txt"           # a value that is not a number
printf 'Data\\image\\Bag\\boulder.png\n' > "$work/Data/Address/Bag/Small.txt" # a short list
cp "$work/Data/image/Support/Cursor_Rock.png" "$work/Data/image/Support/inventoryNum.png" # wrong size
echo "not a clip" > "$work/Data/Sound/help.ogg"
# Values the game refuses: more tearing frames and a wider piece than it loads.
printf 'x_offset 8\ny_offset 8\nframe_width 38\nframe_height 44\nframes 300\n' \
    > "$work/Data/Text/Bag/Tearing/egg.txt"
printf 'x 1\ny 2\nwidth 5000\nheight 20\nstep 12\n' > "$work/Data/Text/Bag/Tear/key.txt"

out=$("$checker" "$work/Data")
status=$?
echo "$out"
fail=0
expect() {
    if ! grep -qF -- "$1" <<<"$out"; then
        echo "MISSING: a problem mentioning '$1'"
        fail=1
    fi
}
[ $status -eq 1 ] || { echo "expected exit status 1, got $status"; fail=1; }
expect "Data/image/Bag/apple.png: missing picture"
expect "Data/Text/Bag/Tear/pear.txt: value of 'y' is not an integer"
expect "Data/Address/Bag/Small.txt: 1 paths, the game reads 15"
expect "Data/image/Support/inventoryNum.png: picture is"
expect "Data/Sound/help.ogg"
expect "Data/Text/Bag/Tearing/egg.txt: frame count 300 is outside 1..256"
expect "Data/Text/Bag/Tear/key.txt: width 5000 is outside 1..4096"
exit $fail
