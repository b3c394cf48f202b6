#!/usr/bin/env bash
# Builds the Windows setup program with NSIS from the folder `make windows` fills.
# Usage: make-installer.sh DIST ICON OUTFILE VERSION
# ICON is the generator's icon/PebbleFrost.ico (make windows leaves it out of DIST's Data); the
# notices of the libraries linked into the programs come from Debian's copyright files of the
# same sources.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
dist=$(realpath "$1")
icon=$(realpath "$2")
outfile=$(realpath -m "$3")
version=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for file in "$dist/PebbleFrost.exe" "$dist/PebbleFrostWindowed.exe" "$dist/Data" "$icon"; do
    [ -e "$file" ] || { echo "make-installer: $file is missing" >&2; exit 1; }
done

{
    echo "PebbleFrost for Windows is linked with the following libraries, built from Debian's"
    echo "sources. Their copyright notices and licences follow."
    for package in libsdl2-2.0-0 libogg0 libvorbis0a libpng16-16 zlib1g mingw-w64-common \
        gcc-mingw-w64-base; do
        copyright=/usr/share/doc/$package/copyright
        [ -f "$copyright" ] || { echo "make-installer: $copyright is missing" >&2; exit 1; }
        printf '\n\n==== %s ====\n\n' "$package"
        cat "$copyright"
    done
} >"$work/ThirdPartyNotices.txt"

# The uninstaller removes the Data files one by one, then the folders deepest first.
(
    cd "$dist"
    find Data -type f | LC_ALL=C sort | sed 's|/|\\|g; s|.*|  Delete "$INSTDIR\\&"|'
    find Data -depth -type d | sed 's|/|\\|g; s|.*|  RMDir "$INSTDIR\\&"|'
) >"$work/uninstall-files.nsh"
size_kb=$(du -sk "$dist" | cut -f1)

makensis -V2 -NOCD -DVERSION="$version" -DDIST="$dist" -DOUTFILE="$outfile" \
    -DLICENSE="$here/../LICENSE.txt" -DNOTICES="$work/ThirdPartyNotices.txt" \
    -DICON="$icon" -DUNINSTALL_FILES="$work/uninstall-files.nsh" \
    -DSIZE_KB="$size_kb" "$here/installer.nsi"
ls -l "$outfile"
