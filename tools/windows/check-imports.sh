#!/usr/bin/env bash
# Fails unless every DLL the given programs import is one that Windows itself provides, so the
# programs run from their folder with nothing else installed.
set -u
system_dlls=" kernel32.dll user32.dll gdi32.dll winmm.dll imm32.dll ole32.dll oleaut32.dll \
version.dll advapi32.dll setupapi.dll shell32.dll msvcrt.dll "
status=0
for program in "$@"; do
    imports=$(x86_64-w64-mingw32-objdump -p "$program" | awk '/DLL Name:/ { print tolower($3) }')
    [ -n "$imports" ] || { echo "FAIL: $program imports nothing (not a Windows program?)"; exit 1; }
    for dll in $imports; do
        case "$system_dlls" in
        *" $dll "*) ;;
        *) echo "FAIL: $program needs $dll, which Windows does not provide"; status=1 ;;
        esac
    done
    echo "$(basename "$program") imports only Windows DLLs:" $imports
done
exit $status
