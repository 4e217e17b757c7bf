#!/usr/bin/env bash
# Builds and runs every test headless: the Release build, then the same tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, then the core and the stand-in library
# alone with Qt out of reach, then the format check and a short fuzzing run, then the Windows
# builds under Wine; ctest's summaries are repeated at the end.
# ZALVO_SKIP_WINDOWS=1 leaves the Windows part out of a quick local run; CI always runs it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/install-deps.sh"

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
step() { echo "== $* ($(date +%T))"; }

run_suite() {
    local build=$1
    shift
    cmake -S "$top" -B "$build" -DZALVO_BUILD_TESTS=ON "$@" >/dev/null
    cmake --build "$build" --parallel "$jobs"
    ctest --test-dir "$build" --output-on-failure --parallel "$jobs" --timeout 300 |
        tee "$build/ctest.log"
}

step "Release build (benchmarks built, not run) and tests"
run_suite "$top/build-test" -DCMAKE_BUILD_TYPE=Release -DZALVO_BUILD_BENCH=ON

step "AddressSanitizer and UndefinedBehaviorSanitizer build and tests"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$top/tests/support/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_suite "$top/build-asan" -DCMAKE_BUILD_TYPE=Debug -DZALVO_SANITIZE=ON

step "The core and the stand-in library without Qt"
unset ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS
# Unoptimised: this suite is about building without Qt, and compiles in far less time so.
run_suite "$top/build-core" -DCMAKE_BUILD_TYPE=Debug -DZALVO_BUILD_GUI=OFF \
    -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON

step "Format check"
"$top/tools/check-format.sh"

step "Fuzzing the DTA reader (short fixed budget)"
"$top/tools/fuzz.sh" 60

windows=yes
if [ "${ZALVO_SKIP_WINDOWS:-}" = 1 ] && [ "${CI:-}" != true ]; then
    windows=no
    echo "== Windows builds skipped (ZALVO_SKIP_WINDOWS=1)"
else
    step "Windows builds under Wine"
    "$top/tools/test-windows.sh"
fi

step "Summary (Release, AddressSanitizer and UndefinedBehaviorSanitizer, core without Qt)"
grep -h "tests passed" "$top/build-test/ctest.log" "$top/build-asan/ctest.log" \
    "$top/build-core/ctest.log"
if [ "$windows" = yes ]; then
    echo "== Summary (Windows i686, then x86_64, under Wine)"
    grep -h "tests passed" "$top/build-windows/i686/ctest.log" "$top/build-windows/x86_64/ctest.log"
fi
