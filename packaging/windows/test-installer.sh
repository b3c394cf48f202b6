#!/usr/bin/env bash
# The Windows setup program under Wine, in a Wine prefix of its own made for the run: a silent
# install (/S) into Program Files puts both programs, Data, the Start-menu shortcuts and the
# uninstaller's registry entry in place; the installed windowed game, started as its shortcut
# starts it, draws the title, shows the menu as the native replay tool draws it and ends with
# status 0 on Quit; the silent uninstall removes all of it. A second silent install into a
# folder given with /D= holding a file of its own: the uninstall removes the game and keeps that
# file.
# Usage: test-installer.sh SETUP.exe DIST NATIVE_BUILD   (DIST: the folder the setup was made from)
set -u
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
setup=$(realpath "$1")
dist=$(realpath "$2")
native=$(realpath "$3")
wine_run=$source_dir/tools/windows/wine-run.sh
work=$(mktemp -d)
export WINEPREFIX=$work/prefix
xvfb_pid=""
game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wineserver -k 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    for log in "$work"/*.log; do
        [ -s "$log" ] && { echo "--- $(basename "$log"):"; tail -n 20 "$log"; }
    done
    exit 1
}
for tool in wine wineserver Xvfb xdotool xwininfo c++; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done
# Runs a Windows program without a display and waits for every process it started (the
# uninstaller runs from a copy of itself in the temporary folder and returns at once).
wine_wait() { # log name, program and arguments
    local log=$work/$1.log status
    shift
    DISPLAY= "$wine_run" "$@" >"$log" 2>&1
    status=$?
    wineserver -w
    return "$status"
}

started=$SECONDS
echo "== A new Wine prefix"
wine_wait prefix cmd /c exit || fail "Wine does not start"
c++ -std=c++20 -O1 -o "$work/smoke_x11" "$source_dir/tools/windows/smoke_x11.cpp" -lX11 -lpng ||
    fail "cannot build the X helper"
(cd "$native" && ./pebblefrost-replay "$source_dir/tests/scripts/screenshots/title_menu.txt" \
    --last "$work/menu.png" >/dev/null) || fail "the native replay tool cannot draw the menu"

drive=$WINEPREFIX/drive_c
installed="$drive/Program Files/PebbleFrost"
menu="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/PebbleFrost"
key='Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\PebbleFrost'
registered() { grep -q "^\[$key\]" "$WINEPREFIX/system.reg"; }
data_files=$(find "$dist/Data" -type f | wc -l)

echo "== Silent install into Program Files"
wine_wait install "$setup" /S || fail "the silent install failed"
for file in PebbleFrost.exe PebbleFrostWindowed.exe Uninstall.exe License.txt \
    ThirdPartyNotices.txt Data/Address/One/Char_Head.txt; do
    [ -f "$installed/$file" ] || fail "not installed: $installed/$file"
done
[ "$(find "$installed/Data" -type f | wc -l)" = "$data_files" ] ||
    fail "Data holds $(find "$installed/Data" -type f | wc -l) files, not $data_files"
for link in "PebbleFrost.lnk" "PebbleFrost (Full Screen).lnk" "Uninstall PebbleFrost.lnk"; do
    [ -f "$menu/$link" ] || fail "no Start-menu shortcut $link"
done
registered || fail "the uninstaller is not registered in Add/Remove Programs"
grep -A12 "^\[$key\]" "$WINEPREFIX/system.reg" | grep -q '"UninstallString"="\\"C:\\\\Program Files\\\\PebbleFrost\\\\Uninstall.exe\\""' ||
    fail "the registered UninstallString is not the installed uninstaller"
echo "installed: the programs, $data_files Data files, 3 shortcuts, the Add/Remove entry"

echo "== The installed windowed game under Wine"
game_folder=$installed # the shortcut starts it in its folder
. "$source_dir/tools/windows/smoke-lib.sh"
start_xvfb 1024x768
start_game PebbleFrostWindowed.exe
[ "$width" = 800 ] && [ "$height" = 600 ] || fail "client area is ${width}x${height}, not 800x600"
reach_menu
quit_from_menu PebbleFrostWindowed.exe
kill "$xvfb_pid" 2>/dev/null
xvfb_pid=""
echo "played: window ${width}x${height} shown after ${window_after} s, title menu as drawn" \
    "natively ($differing pixels differ), Quit ended it with status 0"

echo "== Silent uninstall"
wine_wait uninstall "$installed/Uninstall.exe" /S || fail "the silent uninstall failed"
[ -e "$installed" ] && fail "the uninstall left $installed: $(find "$installed" | head -n 5)"
[ -e "$menu" ] && fail "the uninstall left the Start-menu folder"
registered && fail "the uninstall left the Add/Remove Programs entry"

echo "== Silent install with /D= into a folder holding a file of its own"
mkdir -p "$drive/Games/PebbleFrost"
echo "a player's own notes" >"$drive/Games/PebbleFrost/notes.txt"
wine_wait install-d "$setup" /S '/D=C:\Games\PebbleFrost' || fail "the install with /D= failed"
[ -f "$drive/Games/PebbleFrost/PebbleFrostWindowed.exe" ] || fail "/D= did not choose the folder"
[ -e "$installed" ] && fail "/D= installed into Program Files all the same"
wine_wait uninstall-d "$drive/Games/PebbleFrost/Uninstall.exe" /S ||
    fail "the uninstall from the /D= folder failed"
left=$(cd "$drive/Games/PebbleFrost" && find . -mindepth 1)
[ "$left" = "./notes.txt" ] || fail "after the uninstall the /D= folder holds: $left"

echo "PASS: $(basename "$setup"): silent install into Program Files, shortcuts and Add/Remove" \
    "entry, the installed game played and quit with status 0, silent uninstall removed it all;" \
    "/D= honoured and the folder's own file kept ($((SECONDS - started)) s)"
