#!/usr/bin/env bash
# WebAssembly builds of the libraries the game links (SDL2, libogg, libvorbis, libpng, zlib) from
# Debian's own sources with Debian's Emscripten, into a cache outside the clone.
#   web-libs.sh --prefix   prints the cache folder for the current versions
#   web-libs.sh            builds it unless it is already complete, then prints it
# The folder name carries every version, so a new Debian version builds a new folder.
#
# Each library's source list is compiled straight with emcc (as Emscripten's own ports do): no
# configure step, which for SDL2's CMake took minutes, and none of libogg's failing type checks.
# Emscripten's ports themselves cannot be used: they download their sources.
set -euo pipefail

jobs=${JOBS:-$(nproc)}
recipe=1 # raise when this script builds the libraries differently

# The newest version of a binary package in the main suites (its source's version, less any
# binNMU). The security archive is left out: its sources are not served to this machine.
candidate() {
    local version
    version=$(apt-cache madison "$1" | awk -F'|' '$3 !~ /-security/ { gsub(/ /, "", $2); print $2; exit }')
    if [ -z "$version" ]; then
        echo "web-libs: no version of $1 is known to apt (run apt-get update)" >&2
        exit 1
    fi
    echo "${version%+b[0-9]*}"
}

sdl2=$(candidate libsdl2-dev)
ogg=$(candidate libogg-dev)
vorbis=$(candidate libvorbis-dev)
png=$(candidate libpng-dev)
zlib=$(candidate zlib1g-dev)
emver=$(dpkg-query -W -f '${Version}' emscripten)
name="web-emscripten_$emver-sdl2_$sdl2-ogg_$ogg-vorbis_$vorbis-png_$png-zlib_${zlib#*:}-r$recipe"
prefix="${XDG_CACHE_HOME:-$HOME/.cache}/pebblefrost/$name"

if [ "${1:-}" = "--prefix" ]; then
    echo "$prefix"
    exit 0
fi
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

echo "web-libs: building $prefix" >&2
rm -rf "$prefix"
work=$(mktemp -d)
srclist=/etc/apt/sources.list.d/pebblefrost-web-deb-src.sources
cleanup() {
    rm -f "$srclist" "${srclist%.sources}.list"
    rm -rf "$work"
}
trap cleanup EXIT

# Sources come from the machine's own Debian mirror and main suites, through a deb-src entry in a
# file of its own that goes again once they are fetched.
if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    awk 'BEGIN { RS = ""; ORS = "\n\n" } !/-security/ { sub(/Types:[^\n]*/, "Types: deb-src"); print }' \
        /etc/apt/sources.list.d/debian.sources >"$srclist"
else
    srclist=${srclist%.sources}.list
    grep -h '^deb http' /etc/apt/sources.list | grep -v -- -security | sed 's/^deb /deb-src /' \
        >"$srclist"
fi
apt_only_src=(-o "Dir::Etc::SourceList=$srclist" -o Dir::Etc::SourceParts=/dev/null
    -o APT::Get::List-Cleanup=0)
apt-get "${apt_only_src[@]}" update -qq >&2
(cd "$work" && apt-get "${apt_only_src[@]}" source -qq "libsdl2=$sdl2" "libogg=$ogg" \
    "libvorbis=$vorbis" "libpng1.6=$png" "zlib=$zlib" >&2 2>/dev/null)
rm -f "$srclist"
folder() { find "$work" -maxdepth 1 -type d -name "$1-*" | head -n 1; }

mkdir -p "$prefix/lib" "$prefix/include" "$prefix/lib/pkgconfig"

# Compiles the listed C files (relative to the source folder) into one static library, jobs at a
# time; the object names keep the folders, since SDL2 has several files of the same name.
archive() { # library name, source folder, "flags", files...
    local lib=$1 src=$2 flags=$3
    shift 3
    local objs="$work/obj-$lib"
    mkdir -p "$objs"
    printf '%s\n' "$@" | (cd "$src" && xargs -P "$jobs" -I{} sh -c \
        'emcc -O2 -w '"$flags"' -c "$1" -o "$2/$(echo "$1" | tr / _).o"' _ {} "$objs") >&2
    emar rcs "$prefix/lib/lib$lib.a" "$objs"/*.o
}
pc() { # name, version, Libs, Requires
    printf 'prefix=%s\nName: %s\nDescription: %s for the browser build\nVersion: %s\nRequires: %s\nLibs: -L${prefix}/lib %s\nCflags: -I${prefix}/include\n' \
        "$prefix" "$1" "$1" "$2" "$4" "$3" >"$prefix/lib/pkgconfig/$1.pc"
}

src=$(folder zlib)
archive z "$src" "-DHAVE_UNISTD_H -DHAVE_STDARG_H" \
    $(cd "$src" && ls adler32.c compress.c crc32.c deflate.c gz*.c infback.c inffast.c \
        inflate.c inftrees.c trees.c uncompr.c zutil.c)
cp "$src/zlib.h" "$src/zconf.h" "$prefix/include/"
pc zlib "${zlib#*:}" -lz ""

src=$(folder libpng1.6)
cp "$src/scripts/pnglibconf.h.prebuilt" "$src/pnglibconf.h"
archive png16 "$src" "-I$prefix/include -DPNG_ARM_NEON_OPT=0" \
    png.c pngerror.c pngget.c pngmem.c pngpread.c pngread.c pngrio.c pngrtran.c pngrutil.c \
    pngset.c pngtrans.c pngwio.c pngwrite.c pngwtran.c pngwutil.c
cp "$src/png.h" "$src/pngconf.h" "$src/pnglibconf.h" "$prefix/include/"
pc libpng "$png" -lpng16 zlib

# libogg's configure fills in its integer types; wasm32 has them all in stdint.h.
src=$(folder libogg)
cat >"$src/include/ogg/config_types.h" <<'EOF'
#ifndef __CONFIG_TYPES_H__
#define __CONFIG_TYPES_H__
#include <stdint.h>
typedef int16_t ogg_int16_t;
typedef uint16_t ogg_uint16_t;
typedef int32_t ogg_int32_t;
typedef uint32_t ogg_uint32_t;
typedef int64_t ogg_int64_t;
typedef uint64_t ogg_uint64_t;
#endif
EOF
archive ogg "$src" "-Iinclude" src/bitwise.c src/framing.c
mkdir -p "$prefix/include/ogg"
cp "$src"/include/ogg/*.h "$prefix/include/ogg/"
pc ogg "$ogg" -logg ""

src=$(folder libvorbis)
archive vorbis "$src" "-Iinclude -Ilib -I$prefix/include" \
    $(cd "$src" && ls lib/*.c | grep -vE 'barkmel|psytune|tone|vorbisfile|vorbisenc')
archive vorbisfile "$src" "-Iinclude -I$prefix/include" lib/vorbisfile.c
mkdir -p "$prefix/include/vorbis"
cp "$src"/include/vorbis/*.h "$prefix/include/vorbis/"
pc vorbis "$vorbis" -lvorbis ogg
pc vorbisfile "$vorbis" -lvorbisfile vorbis

# SDL2: the folders its Emscripten configuration uses (SDL_config_emscripten.h switches the rest
# off), without threads.
src=$(folder libsdl2)
sdl_dirs="src src/atomic src/audio src/audio/disk src/audio/dummy src/audio/emscripten src/cpuinfo
    src/dynapi src/events src/file src/filesystem/emscripten src/haptic src/haptic/dummy
    src/joystick src/joystick/emscripten src/joystick/virtual src/loadso/dlopen src/locale
    src/locale/emscripten src/misc src/misc/emscripten src/power src/power/emscripten src/render
    src/render/software src/render/opengles2 src/sensor src/sensor/dummy src/stdlib src/thread
    src/thread/generic src/timer src/timer/unix src/video src/video/emscripten src/video/dummy
    src/video/yuv2rgb"
archive SDL2 "$src" "-Iinclude" $(cd "$src" && for d in $sdl_dirs; do ls $d/*.c; done) \
    src/hidapi/SDL_hidapi.c
mkdir -p "$prefix/include/SDL2"
cp "$src"/include/*.h "$prefix/include/SDL2/"
printf 'prefix=%s\nName: sdl2\nDescription: SDL2 for the browser build\nVersion: %s\nLibs: -L${prefix}/lib -lSDL2\nCflags: -I${prefix}/include/SDL2\n' \
    "$prefix" "${sdl2%%+*}" >"$prefix/lib/pkgconfig/sdl2.pc"

touch "$prefix/.complete"
echo "$prefix"
