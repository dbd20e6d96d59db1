#!/usr/bin/env bash
# Sets up, builds and runs every test: the suite, the suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer, and a short run of every fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
log=$(mktemp)
trap 'rm -f "$log"' EXIT

echo "== Build and run the test suite"
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKD_BUILD_TESTS=ON >/dev/null
cmake --build build/test -j "$jobs"
(cd build/test && ctest --output-on-failure -j "$jobs") | tee -a "$log"

echo "== The same suite under AddressSanitizer + UndefinedBehaviorSanitizer"
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
      -DKD_SANITIZE=ON -DKD_BUILD_TESTS=ON >/dev/null
cmake --build build/asan -j "$jobs"
# Qt and fontconfig keep caches until exit; leaks are hunted by the fuzz targets instead.
(cd build/asan && ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
   ctest --output-on-failure -j "$jobs" -E packaging) | tee -a "$log"

echo "== Fuzz every stored-file reader and the judge briefly"
tools/fuzz/run.sh 8 | tee -a "$log"

passed=$(grep -Eo 'tests failed out of [0-9]+' "$log" | awk '{s += $5} END {print s + 0}')
fuzzed=$(grep -c ', no crash$' "$log" || true)
echo "tests: $((passed + fuzzed)) passed, 0 failed"
