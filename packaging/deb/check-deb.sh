#!/usr/bin/env bash
# Shows what a built package holds and checks it with lintian: errors fail, the remaining
# warnings and notes are printed (README, "Install", says why each is accepted).
# Usage: check-deb.sh PACKAGE.deb
set -euo pipefail
deb=$1
[ -f "$deb" ] || { echo "check-deb: no package $deb" >&2; exit 1; }
echo "== $deb: $(stat -c %s "$deb") bytes"
dpkg-deb --field "$deb" Package Version Architecture Section Installed-Size Depends
echo "files: $(dpkg-deb --contents "$deb" | grep -vc '/$')"
echo "== lintian"
lintian --fail-on error --display-info --pedantic --tag-display-limit 0 "$deb"
echo "lintian: no errors"
