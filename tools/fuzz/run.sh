#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds
# (default 60) on its committed seed corpus. Usage: tools/fuzz/run.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-60}
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKD_FUZZ=ON -DKD_BUILD_TESTS=OFF >/dev/null
cmake --build build/fuzz --target kd_fuzz_all -j "$(nproc)"
for bin in build/fuzz/tools/fuzz/fuzz_*; do
  [ -f "$bin" ] && [ -x "$bin" ] || continue
  name=$(basename "$bin")
  seeds=tools/fuzz/corpus/${name#fuzz_}
  work=build/fuzz/corpus/${name#fuzz_}
  mkdir -p "$work"
  log=build/fuzz/$name.log
  if ! "$bin" -max_total_time="$seconds" -print_final_stats=1 -rss_limit_mb=2048 "$work" "$seeds" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "$name: FAILED"
    exit 1
  fi
  runs=$(grep -Eo 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -Eo '[0-9]+$' || echo "?")
  echo "$name: $runs executions in ${seconds}s, no crash"
done
