#!/usr/bin/env bash
# Runs a Windows program under Wine: CMake's emulator for the Windows builds, so ctest runs
# the tests with it. Wine's loader is picked from the program's PE header (32 or 64 bit).
# WINEPREFIX must name the throw-away prefix of the build (tools/test-windows.sh sets it).
set -euo pipefail
program=$1
shift
: "${WINEPREFIX:?WINEPREFIX must name the Wine prefix of the Windows build}"
export WINEPREFIX
export WINEDEBUG=${WINEDEBUG:--all}
# A crashing test program ends at once instead of waiting in Wine's debugger.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}winedbg.exe=d"
# Where the kernel runs no 32-bit code, qemu-user runs the 32-bit Wine (see
# docs/decisions/windows.md); a guest address space just above 2 GB spares Wine's start-up
# a long reservation of the rest. A 64-bit Wine ignores this.
export QEMU_RESERVED_VA=${QEMU_RESERVED_VA:-0x81000000}

machine() {
    local peOffset
    peOffset=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
    od -An -tx2 -j$((peOffset + 4)) -N2 "$1" | tr -d ' '
}

case $(machine "$program") in
014c) loader=/usr/lib/wine/wine ;;
8664) loader=/usr/lib/wine/wine64 ;;
*)
    echo "wine-run.sh: $program is no i386 or x86-64 Windows program" >&2
    exit 2
    ;;
esac
exec "$loader" "$program" "$@"
