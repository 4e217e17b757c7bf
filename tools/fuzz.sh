#!/usr/bin/env bash
# Builds the libFuzzer target over the DTA reader with clang and runs it for a short fixed
# budget, seeded with the published DTAUS samples. Any crash, sanitizer report or broken
# invariant fails the script; the input that caused it is left in the build folder.
# Usage: tools/fuzz.sh [seconds]   (default 60; FUZZ_RUNS bounds the number of inputs)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
runs=${FUZZ_RUNS:-5000000}
build="$top/build-fuzz"

cmake -S "$top/fuzz" -B "$build" -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" --parallel 2 --target dta_reader_fuzzer

corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
samples="$top/../shared/dtaus-samples"
if [ -d "$samples" ]; then
    cp "$samples"/*.dta "$corpus"/ 2>/dev/null || true
fi

echo "== Fuzzing the DTA reader for ${seconds}s (at most ${runs} inputs)"
cd "$build"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ./dta_reader_fuzzer "$corpus" -dict="$top/fuzz/dta.dict" -max_len=4096 \
    -max_total_time="$seconds" -runs="$runs" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1
