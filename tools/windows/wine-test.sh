#!/bin/sh
# Runs a cross-built test under Wine for ctest (and for its test discovery). The output goes
# through files, not ctest's pipes: a Wine process the test starts, such as the desktop process
# that SDL's controller notification window brings up, outlives the test and would hold the pipes
# open until ctest's time-out.
out=$(mktemp) && err=$(mktemp) || exit 1
"$(dirname "$0")/wine-run.sh" "$@" >"$out" 2>"$err"
status=$?
cat "$out"
cat "$err" >&2
rm -f "$out" "$err"
exit $status
