#!/usr/bin/env bash
# Builds the core, the stand-in library and their tests for 32-bit and 64-bit Windows with
# Debian's mingw-w64 compilers and runs the tests under Wine, headless. Everything it makes
# stays in build-windows/: the Debian sources of the libraries Debian does not ship for
# mingw, those libraries built for each target, both builds, and a throw-away Wine prefix.
# Usage: tools/test-windows.sh
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
work="$top/build-windows"
jobs=$(nproc)
targets=(i686 x86_64)

step() { echo "== $* ($(date +%T))"; }

step "Installing what the Windows build needs"
"$top/tools/install-windows-deps.sh"

mkdir -p "$work/src" "$work/deps-build"

# libxml2 (for the schema checks of the tests) from Debian's source package, static.
libxml2_source() {
    local dir
    dir=$(find "$work/src" -maxdepth 1 -type d -name 'libxml2-*' | head -n 1)
    if [ -z "$dir" ]; then
        (cd "$work/src" && apt-get source -qq libxml2 >/dev/null 2>&1)
        dir=$(find "$work/src" -maxdepth 1 -type d -name 'libxml2-*' | head -n 1)
    fi
    echo "$dir"
}

build_libxml2() {
    local target=$1 prefix=$2 source=$3
    [ -f "$prefix/lib/libxml2.a" ] && return
    cmake -S "$source" -B "$work/deps-build/libxml2-$target" \
        -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchains/$target-w64-mingw32.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
        -DLIBXML2_WITH_ICONV=OFF -DLIBXML2_WITH_LZMA=OFF -DLIBXML2_WITH_ZLIB=OFF \
        -DLIBXML2_WITH_PYTHON=OFF -DLIBXML2_WITH_TESTS=OFF -DLIBXML2_WITH_PROGRAMS=OFF \
        -DLIBXML2_WITH_HTTP=OFF -DLIBXML2_WITH_FTP=OFF -DLIBXML2_WITH_MODULES=OFF \
        -DLIBXML2_WITH_LEGACY=OFF -DLIBXML2_WITH_C14N=OFF -DLIBXML2_WITH_CATALOG=OFF \
        -DLIBXML2_WITH_DEBUG=OFF -DLIBXML2_WITH_DOCB=OFF -DLIBXML2_WITH_HTML=OFF \
        -DLIBXML2_WITH_SCHEMATRON=OFF -DLIBXML2_WITH_XINCLUDE=OFF -DLIBXML2_WITH_XPTR=OFF \
        -DLIBXML2_WITH_READER=OFF -DLIBXML2_WITH_WRITER=OFF >/dev/null
    cmake --build "$work/deps-build/libxml2-$target" --parallel "$jobs" >/dev/null
    cmake --install "$work/deps-build/libxml2-$target" >/dev/null
}

step "Building libxml2 for Windows from Debian's source"
source_dir=$(libxml2_source)
for target in "${targets[@]}"; do
    build_libxml2 "$target" "$work/deps/$target" "$source_dir"
done

# Under qemu every start of a 32-bit test program costs seconds: there each program is one
# CTest test rather than each of its cases.
emulated32=OFF
if grep -qs qemu-i386 /proc/sys/fs/binfmt_misc/*; then
    emulated32=ON
fi

for target in "${targets[@]}"; do
    step "Building the core, the stand-in library and their tests for $target Windows"
    per_program=OFF
    if [ "$target" = i686 ]; then
        per_program=$emulated32
    fi
    cmake -S "$top" -B "$work/$target" \
        -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchains/$target-w64-mingw32.cmake" \
        -DZALVO_WINDOWS_DEPS="$work/deps/$target" -DCMAKE_BUILD_TYPE=Release \
        -DZALVO_BUILD_GUI=OFF -DZALVO_BUILD_TESTS=ON -DZALVO_TEST_PER_PROGRAM=$per_program >/dev/null
    cmake --build "$work/$target" --parallel "$jobs"
done

step "The 32-bit Zalvotech.dll: exports and imports"
i686-w64-mingw32-objdump -p "$work/i686/bin/Zalvotech.dll" |
    sed -n -e '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' -e '/DLL Name:/p'

step "Preparing a fresh Wine prefix"
export WINEPREFIX="$work/wineprefix"
export WINEDEBUG=-all
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
# A 32-bit Wine under qemu-user starts fast in a guest address space just above 2 GB.
export QEMU_RESERVED_VA=0x81000000
trap '/usr/lib/wine/wineserver -k >/dev/null 2>&1 || true' EXIT
# wineboot returns while the prefix is still being set up; a test started then could fail
# before its first line. Waiting for that server to end means the prefix is complete.
/usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1 </dev/null
/usr/lib/wine/wineserver -w
# One server for the whole run instead of one per test program, and Wine's services started
# with it, both apart from this script's output (they outlive the commands that start them,
# and ctest would wait for them).
/usr/lib/wine/wineserver -p >/dev/null 2>&1 </dev/null
/usr/lib/wine/wine64 wineboot >/dev/null 2>&1 </dev/null

status=0
for target in "${targets[@]}"; do
    step "Tests of the $target Windows build under Wine"
    ctest --test-dir "$work/$target" --output-on-failure --parallel "$jobs" --timeout 600 |
        tee "$work/$target/ctest.log" || status=1
done

step "Summary (i686, then x86_64 Windows under Wine)"
for target in "${targets[@]}"; do
    echo "$target: $(grep -h "tests passed" "$work/$target/ctest.log" || echo "no summary")"
done
exit $status
