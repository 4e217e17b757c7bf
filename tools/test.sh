#!/usr/bin/env bash
# Builds and runs every test headless: the Release build, then the same tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, then the format check and a short fuzzing
# run; ctest's summaries are repeated at the end.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/install-deps.sh"

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

run_suite() {
    local build=$1
    shift
    cmake -S "$top" -B "$build" -DZALVO_BUILD_TESTS=ON "$@" >/dev/null
    cmake --build "$build" --parallel "$jobs"
    ctest --test-dir "$build" --output-on-failure --parallel "$jobs" --timeout 300 |
        tee "$build/ctest.log"
}

echo "== Release build and tests"
run_suite "$top/build-test" -DCMAKE_BUILD_TYPE=Release

echo "== AddressSanitizer and UndefinedBehaviorSanitizer build and tests"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$top/tests/support/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_suite "$top/build-asan" -DCMAKE_BUILD_TYPE=Debug -DZALVO_SANITIZE=ON

echo "== Format check"
"$top/tools/check-format.sh"

echo "== Fuzzing the DTA reader (short fixed budget)"
"$top/tools/fuzz.sh" 60

echo "== Summary (Release, then AddressSanitizer and UndefinedBehaviorSanitizer)"
grep -h "tests passed" "$top/build-test/ctest.log" "$top/build-asan/ctest.log"
