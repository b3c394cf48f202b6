#!/bin/sh
# Runs a Windows program under Wine, quietly and in the project's own Wine prefix.
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEPREFIX="${WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/pebblefrost/wine}"
# No Mono or Gecko: the programs need neither, and their installers would ask. No ALSA driver:
# the build machines have no sound card, and the game then runs silent without its noise.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winealsa.drv=d}"
exec wine "$@"
