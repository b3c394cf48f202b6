#!/usr/bin/env bash
# Checks an installed tree with the freedesktop and Debian validators: the desktop entry, the
# AppStream metainfo, the manual pages (groff's warnings), and that every icon size the theme
# folder names holds a picture of that size under the entry's icon name.
# Usage: validate.sh INSTALLED_PREFIX   (e.g. stage/usr)
set -uo pipefail
prefix=$(realpath "$1")
status=0
fail() { echo "FAIL: $*"; status=1; }

desktop=$(ls "$prefix"/share/applications/*.desktop 2>/dev/null)
[ "$(wc -w <<<"$desktop")" = 1 ] || fail "expected one desktop entry, found: ${desktop:-none}"
echo "== desktop-file-validate $(basename "$desktop")"
desktop-file-validate "$desktop" || fail "desktop-file-validate"

metainfo=$(ls "$prefix"/share/metainfo/*.metainfo.xml 2>/dev/null)
echo "== appstreamcli validate --pedantic --no-net $(basename "$metainfo")"
appstreamcli validate --pedantic --no-net "$metainfo" || fail "appstreamcli validate"

echo "== man --warnings"
for page in "$prefix"/share/man/man6/*.6.gz; do
    # Run from the manual's root so the .so link of PebbleFrostWindowed.6 resolves.
    warnings=$(cd "$prefix/share/man" && LC_ALL=C.UTF-8 MANWIDTH=80 \
        man --warnings=w -E UTF-8 -l "man6/$(basename "$page")" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
    lines=$(cd "$prefix/share/man" && LC_ALL=C.UTF-8 MANWIDTH=80 man -E UTF-8 \
        -l "man6/$(basename "$page")" 2>/dev/null | wc -l)
    [ "$lines" -gt 40 ] || fail "$(basename "$page") renders to $lines lines only"
    echo "$(basename "$page"): no warnings, $lines lines"
done

echo "== icons"
icon=$(sed -n 's/^Icon=//p' "$desktop")
for size in 16 32 48 64 128 256 512; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png
    [ -f "$png" ] || { fail "no icon $png"; continue; }
    file -b "$png" | grep -q "PNG image data, $size x $size," ||
        fail "$png is not a $size x $size PNG: $(file -b "$png")"
done
[ "$status" = 0 ] && echo "PASS: desktop entry, metainfo, manual pages and icons ($icon)"
exit "$status"
