#!/usr/bin/env bash
# Builds the libFuzzer targets (the Clang sanitizer build, CMake preset "sanitize") and runs
# every target on its committed seeds plus what earlier runs found.
#   tools/fuzz/run.sh [SECONDS]          each target SECONDS (default 60), one after another
#   tools/fuzz/run.sh --total SECONDS    the whole run takes about SECONDS: targets share it,
#                                        as many at a time as there are cores (--jobs N)
#   --runs N                             each target stops after N executions (at the latest
#                                        when its time is up); all targets start together, so
#                                        the cores of those done early go to the slower ones
#   --minimize                           afterwards, merge what was found into the committed
#                                        seeds (tools/fuzz/corpus/<target>), keeping only inputs
#                                        that add coverage
#   --no-build                           use the targets already built
# A new target is a file tools/fuzz/fuzz_<name>.cpp (and seeds in tools/fuzz/corpus/<name>/).
# One line per target: "fuzz_x: N executions in Ss (R/s), no crash" or "fuzz_x: FAILED"; the
# same as "fuzz_x N S passed|failed" in build/sanitize/fuzz-results.txt. Exits 1 when any failed.
# ASan keeps no allocation stacks here (malloc_context_size=0: Qt has no frame pointers, and the
# stacks its frames give cost a third of the executions); a saved input replayed with
#   ASAN_OPTIONS=malloc_context_size=30 build/sanitize/tools/fuzz/fuzz_x INPUT
# shows them. Set ASAN_OPTIONS to choose otherwise.
set -uo pipefail
cd "$(dirname "$0")/../.."
per_target=60 total="" jobs=$(nproc) jobs_given=0 runs=0 minimize=0 build=1
while [ $# -gt 0 ]; do
  case "$1" in
    --total) total=$2; shift ;;
    --jobs) jobs=$2; jobs_given=1; shift ;;
    --runs) runs=$2; shift ;;
    --minimize) minimize=1 ;;
    --no-build) build=0 ;;
    [0-9]*) per_target=$1 ;;
    *) sed -n '2,20p' "$0" >&2; exit 2 ;;
  esac
  shift
done
dir=build/sanitize
if [ $build -eq 1 ]; then
  cmake --preset sanitize >/dev/null || exit 1
  cmake --build "$dir" --target kd_fuzz_all -j "$(nproc)" || exit 1
fi
targets=()
for bin in "$dir"/tools/fuzz/fuzz_*; do
  [ -f "$bin" ] && [ -x "$bin" ] && targets+=("$bin")
done
[ ${#targets[@]} -gt 0 ] || { echo "no fuzz targets in $dir/tools/fuzz"; exit 1; }
if [ "$runs" -gt 0 ] && [ $jobs_given -eq 0 ]; then
  jobs=${#targets[@]}
  [ -n "$total" ] && per_target=$total
elif [ -n "$total" ]; then
  # Rounds of $jobs targets at a time, each round the same length.
  rounds=$(((${#targets[@]} + jobs - 1) / jobs))
  per_target=$((total / rounds))
  [ "$per_target" -ge 1 ] || per_target=1
elif [ $jobs_given -eq 0 ]; then
  jobs=1
fi

results=$dir/fuzz-results.txt
: >"$results"
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export ASAN_OPTIONS=${ASAN_OPTIONS:-malloc_context_size=0}
limit=()
[ "$runs" -gt 0 ] && limit=(-runs="$runs")
# libFuzzer's entropic schedule favours inputs that reach rare features, keeping the 100 rarest
# plus every feature seen fewer times than a threshold (255), and drops the rest only when a
# new feature turns up. A run that starts from the minimized seeds has run each seed once, so
# every feature is "rare" and stays so for as long as nothing new is found: each execution then
# looks its features up in a list of them all and weighs every seed again, a third of the
# time of the ranking's target. Counting a feature seen in more than two inputs as common
# keeps the 100 rarest from the start, as a long run keeps them; from empty folders it found
# the same coverage in the same time.
schedule=(-entropic_feature_frequency_threshold=2)

run_one() {
  local bin=$1 name seeds work log done_runs rate start ms secs
  name=$(basename "$bin")
  seeds=tools/fuzz/corpus/${name#fuzz_}
  work=$dir/corpus/${name#fuzz_}
  mkdir -p "$work" "$seeds"
  log=$dir/$name.log
  start=${EPOCHREALTIME//[.,]/}  # microseconds
  if "$bin" -max_total_time="$per_target" "${limit[@]}" "${schedule[@]}" -print_final_stats=1 -rss_limit_mb=2048 \
      -artifact_prefix="$dir/$name-" "$work" "$seeds" >"$log" 2>&1; then
    ms=$(((${EPOCHREALTIME//[.,]/} - start) / 1000))
    [ "$ms" -ge 1 ] || ms=1
    secs=$((ms / 1000)).$((ms % 1000 / 100))
    done_runs=$(grep -Eo 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -Eo '[0-9]+$' || echo 0)
    rate=$((done_runs * 1000 / ms))
    echo "$name: $done_runs executions in ${secs}s ($rate/s), no crash"
    echo "$name $done_runs $secs passed" >>"$results"
  else
    tail -n 60 "$log"
    echo "$name: FAILED (input saved as $dir/$name-*; log $log)"
    echo "$name 0 $per_target failed" >>"$results"
  fi
}

running=0
for bin in "${targets[@]}"; do
  run_one "$bin" &
  running=$((running + 1))
  if [ $running -ge "$jobs" ]; then
    wait -n
    running=$((running - 1))
  fi
done
wait

if [ $minimize -eq 1 ]; then
  for bin in "${targets[@]}"; do
    name=$(basename "$bin")
    seeds=tools/fuzz/corpus/${name#fuzz_}
    fresh=$dir/corpus-min/${name#fuzz_}
    rm -rf "$fresh" && mkdir -p "$fresh"
    if "$bin" -merge=1 "$fresh" "$seeds" "$dir/corpus/${name#fuzz_}" >"$dir/$name.merge.log" 2>&1; then
      rm -rf "$seeds" && mv "$fresh" "$seeds"
      echo "$name: $(ls "$seeds" | wc -l) inputs kept in $seeds"
    else
      echo "$name: merging failed, see $dir/$name.merge.log"
    fi
  done
fi
! grep -q ' failed$' "$results"
