#!/usr/bin/env bash
# Static MinGW-w64 builds of the libraries the game links (SDL2, libogg, libvorbis, libpng, zlib)
# and of GoogleTest, from Debian's own sources, into a cache outside the clone.
#   mingw-libs.sh --prefix   prints the cache folder for the current package versions
#   mingw-libs.sh            builds it unless it is already complete, then prints it
# The folder name carries every version, so a new Debian version builds a new folder.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
host=x86_64-w64-mingw32
jobs=${JOBS:-$(nproc)}
recipe=1 # raise when this script builds the libraries differently

# The newest version of a binary package in the main suites (its source's version, less any
# binNMU). The security archive is left out: its sources are not served to this machine.
candidate() {
    local version
    version=$(apt-cache madison "$1" | awk -F'|' '$3 !~ /-security/ { gsub(/ /, "", $2); print $2; exit }')
    if [ -z "$version" ]; then
        echo "mingw-libs: no version of $1 is known to apt (run apt-get update)" >&2
        exit 1
    fi
    echo "${version%+b[0-9]*}"
}
installed() { dpkg-query -W -f '${Version}' "$1"; }

sdl2=$(candidate libsdl2-dev)
ogg=$(candidate libogg-dev)
vorbis=$(candidate libvorbis-dev)
png=$(candidate libpng-dev)
zlib=$(candidate zlib1g-dev)
gtest=$(installed googletest)
gcc=$($host-gcc-posix -dumpfullversion)
name="mingw-gcc$gcc-sdl2_$sdl2-ogg_$ogg-vorbis_$vorbis-png_$png-zlib_${zlib#*:}-gtest_$gtest-r$recipe"
prefix="${XDG_CACHE_HOME:-$HOME/.cache}/pebblefrost/$name"

if [ "${1:-}" = "--prefix" ]; then
    echo "$prefix"
    exit 0
fi
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

echo "mingw-libs: building $prefix" >&2
rm -rf "$prefix"
work=$(mktemp -d)
srclist=/etc/apt/sources.list.d/pebblefrost-deb-src.sources
cleanup() {
    rm -f "$srclist"
    rm -rf "$work"
}
trap cleanup EXIT

# Sources come from the machine's own Debian mirror and main suites, through a deb-src entry in a
# file of its own that goes again once they are fetched.
if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    awk 'BEGIN { RS = ""; ORS = "\n\n" } !/-security/ { sub(/Types:[^\n]*/, "Types: deb-src"); print }' \
        /etc/apt/sources.list.d/debian.sources >"$srclist"
else
    grep -h '^deb http' /etc/apt/sources.list | grep -v -- -security | sed 's/^deb /deb-src /' \
        >"${srclist%.sources}.list"
    srclist=${srclist%.sources}.list
fi
apt_only_src=(-o "Dir::Etc::SourceList=$srclist" -o Dir::Etc::SourceParts=/dev/null
    -o APT::Get::List-Cleanup=0)
apt-get "${apt_only_src[@]}" update -qq >&2
(cd "$work" && apt-get "${apt_only_src[@]}" source -qq "libsdl2=$sdl2" "libogg=$ogg" \
    "libvorbis=$vorbis" "libpng1.6=$png" "zlib=$zlib" >&2)
rm -f "$srclist"
folder() { find "$work" -maxdepth 1 -type d -name "$1-*" | head -n 1; }

mkdir -p "$prefix"
cmake_build() { # source folder, extra options...
    local src=$1
    shift
    cmake -S "$src" -B "$src/build-mingw" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$here/mingw.cmake" -DPEBBLEFROST_MINGW_PREFIX="$prefix" \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF "$@" >&2
    cmake --build "$src/build-mingw" -j "$jobs" >&2
    cmake --install "$src/build-mingw" >&2
}

# zlib: Debian's source has no win32 makefile; its configure cross-builds the static library.
(cd "$(folder zlib)" && CHOST=$host CC=$host-gcc-posix AR=$host-ar RANLIB=$host-ranlib \
    ./configure --static --prefix="$prefix" >&2 && make -j "$jobs" libz.a >&2 && make install >&2)
cmake_build "$(folder libpng1.6)" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
    -DPNG_EXECUTABLES=OFF
cmake_build "$(folder libogg)" -DBUILD_TESTING=OFF -DINSTALL_DOCS=OFF
cmake_build "$(folder libvorbis)" -DBUILD_TESTING=OFF
cmake_build "$(folder libsdl2)" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF
cp -r /usr/src/googletest "$work/googletest-src"
cmake_build "$work/googletest-src" -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON

touch "$prefix/.complete"
echo "$prefix"
