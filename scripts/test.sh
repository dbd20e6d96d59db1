#!/usr/bin/env bash
# Sets up, checks the house style (scripts/check-style.sh), builds and runs every test: the
# suite (GCC), a short soak (200 games in one process, tools/soak/run.sh), the same suite under
# AddressSanitizer and UndefinedBehaviorSanitizer (one Clang build that also makes the fuzz
# targets), and a short run of every fuzz target. Every stage runs even when an earlier one
# fails; the last line counts what passed and failed over all of them, from GoogleTest's
# reports, CTest's results, the soak's targets and libFuzzer's exit status, and the command
# exits non-zero when anything failed.
# Usage: scripts/test.sh [--quick]    --quick checks the style and builds and runs the suite only
set -uo pipefail
cd "$(dirname "$0")/.."
quick=0
case "${1:-}" in
  --quick) quick=1 ;;
  "") ;;
  *) echo "usage: scripts/test.sh [--quick]" >&2; exit 2 ;;
esac
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
# ccache (used when installed) must see through the precompiled headers.
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"

total_passed=0 total_failed=0
summary=()
started=$SECONDS

clock() { printf '%dm%02ds' $(($1 / 60)) $(($1 % 60)); }

# count_ctest BUILD_DIR JUNIT: adds the results of one CTest run. A test program's cases come
# from its GoogleTest report; a program that failed without reporting a failed case (a crash,
# a sanitizer report, a timeout) counts as one failure, and so does a check without a report.
count_ctest() {
  local dir=$1 junit=$2 p=0 f=0 name status report tests bad skipped
  if [ ! -s "$junit" ]; then
    stage_failed=$((stage_failed + 1))
    return
  fi
  while IFS=$'\t' read -r name status; do
    report=$dir/test-results/$name.xml
    if [ -s "$report" ]; then
      tests=$(grep -m1 -o '<testsuites tests="[0-9]*"' "$report" | grep -o '[0-9]*' || echo 0)
      # Count failed cases, not failure messages: a case may fail several expectations.
      bad=$(awk '/<testcase /{c=0} /<failure/{if(!c){n++;c=1}} END{print n+0}' "$report")
      skipped=$(grep -c 'result="skipped"\|status="notrun"' "$report" || true)
      [ "$status" = fail ] && [ "$bad" -eq 0 ] && bad=1
      p=$((p + tests - bad - skipped))
      f=$((f + bad))
    elif [ "$status" = fail ]; then
      f=$((f + 1))
    else
      p=$((p + 1))
    fi
  done < <(tr '\n' ' ' <"$junit" | grep -o '<testcase [^>]*' |
           sed -E 's/.*name="([^"]*)".*status="([^"]*)".*/\1\t\2/')
  stage_passed=$((stage_passed + p))
  stage_failed=$((stage_failed + f))
}

begin_stage() {
  stage_name=$1 stage_start=$SECONDS stage_passed=0 stage_failed=0
  echo "== $stage_name"
}

end_stage() {
  local line
  line=$(printf '%-28s %4d passed, %d failed  (%s)' "$stage_name:" "$stage_passed" "$stage_failed" \
         "$(clock $((SECONDS - stage_start)))")
  echo "$line"
  summary+=("$line")
  total_passed=$((total_passed + stage_passed))
  total_failed=$((total_failed + stage_failed))
}

# build_and_test PRESET BUILD_DIR [ctest arguments...]   (the folder named in CMakePresets.json)
build_and_test() {
  local preset=$1 dir=$2
  shift 2
  if ! cmake --preset "$preset" >"$log" 2>&1; then
    cat "$log"
    echo "configuring $preset failed"
    stage_failed=$((stage_failed + 1))
    return
  fi
  # -k 0: build everything that still can be built, so the other tests run.
  if ! cmake --build "$dir" -j "$jobs" -- -k 0; then
    echo "building $preset failed"
    stage_failed=$((stage_failed + 1))
  fi
  echo "-- built in $(clock $((SECONDS - stage_start)))"
  rm -rf "$dir/test-results" "$dir/ctest.xml"
  (cd "$dir" && ctest --output-on-failure -j "$jobs" --output-junit ctest.xml "$@")
  count_ctest "$dir" "$dir/ctest.xml"
}

log=$(mktemp)
trap 'rm -f "$log"' EXIT

if [ $quick -eq 0 ]; then
  scripts/setup.sh || { echo "tests: 0 passed, 1 failed"; exit 1; }
fi

begin_stage "style"
# Formatting, no widget header in the core, includes down the layers (scripts/check-style.sh),
# and the layer check catching a wrong include.
for check in "" --self-test; do
  if scripts/check-style.sh $check; then stage_passed=$((stage_passed + 1)); else stage_failed=$((stage_failed + 1)); fi
done
end_stage

begin_stage "suite"
build_and_test suite build/test
end_stage

if [ $quick -eq 0 ]; then
  begin_stage "soak"
  # 200 games in one process through the real screens, on the suite's build; one check per
  # target (memory, descriptors, threads, timers, widgets, keys recorded, database growth,
  # faults). No verdict at all (a crash) counts as one failure.
  soak_out=$(tools/soak/run.sh 200 --no-build 2>"$log")
  echo "$soak_out"
  stage_passed=$(grep -c '^target .* passed$' <<<"$soak_out" || true)
  stage_failed=$(grep -c '^target .* failed' <<<"$soak_out" || true)
  if [ "$stage_passed" -eq 0 ] && [ "$stage_failed" -eq 0 ]; then
    tail -20 "$log"
    stage_failed=1
  fi
  end_stage

  begin_stage "suite under ASan+UBSan"
  # Qt and fontconfig keep caches until exit; leaks are hunted by the fuzz targets instead.
  # The classroom's tests (label postgres) spend their time in a PostgreSQL server nobody
  # sanitized: the suite's run of them is enough.
  ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    build_and_test sanitize build/sanitize -E packaging -LE postgres
  end_stage

  begin_stage "fuzz targets"
  # A short smoke run: every target replays its seeds and mutates them for a second or two,
  # all targets sharing 12 seconds on every core (the deep runs are tools/fuzz/run.sh's own).
  tools/fuzz/run.sh --total 12 --no-build
  results=build/sanitize/fuzz-results.txt
  if [ -s "$results" ]; then
    stage_passed=$(grep -c ' passed$' "$results" || true)
    stage_failed=$(grep -c ' failed$' "$results" || true)
  else
    stage_failed=1
  fi
  end_stage
fi

echo
printf '%s\n' "${summary[@]}"
echo "total time $(clock $((SECONDS - started)))"
echo "tests: $total_passed passed, $total_failed failed"
[ "$total_failed" -eq 0 ]
