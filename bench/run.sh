#!/usr/bin/env bash
# Key Derby's speed as a player meets it, in one table: start-up, memory, key-to-screen
# latency in every play screen, CPU while the clocks run, timer accuracy and the judge's cost
# per key. Other programs named on the command line get the same start-up, memory and
# latency figures, side by side.   Usage: bench/run.sh [PROGRAM ...]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/setup.sh

echo "Building (release)..." >&2
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKD_BUILD_BENCH=ON -DKD_BUILD_TESTS=OFF >/dev/null
cmake --build build/bench --target keyderby judge_bench timer_bench >/dev/null
xprobe_src=../shared/tools/xprobe.c
[ -f "$xprobe_src" ] || xprobe_src=bench/tools/xprobe.c
gcc -O2 "$xprobe_src" -o build/bench/xprobe -lX11 -lXdamage -lXtst -lXfixes
XPROBE=$root/build/bench/xprobe
GAME=$root/build/bench/bin/keyderby

xvfb_pid=
cleanup() {
  [ -n "${game_pid:-}" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  export DISPLAY=:91
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
fi
unset QT_QPA_PLATFORM
export SDL_AUDIODRIVER=dummy

median() { sort -n | awk '{a[NR]=$1} END {if (NR==0) print "-"; else if (NR%2) print a[(NR+1)/2]; else printf "%.1f\n", (a[NR/2]+a[NR/2+1])/2}'; }
field() { grep -Eo "$1=[0-9.]+" | head -1 | cut -d= -f2; }
rss_mb() { awk '/VmRSS/ {printf "%.1f\n", $2/1024}' "/proc/$1/status"; }
cpu_ticks() { awk '{print $14+$15}' "/proc/$1/stat"; }
wait_for() {  # wait_for SECONDS COMMAND...: until the command succeeds
  local limit=$(( $1 * 10 )); shift
  for _ in $(seq "$limit"); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "timed out waiting for: $*" >&2; return 1
}
window_of() { xdotool search --pid "$game_pid" --onlyvisible --name "$1" 2>/dev/null | tail -1; }
focus() {  # focus TITLE: waits for the game's window with that title and gives it the keyboard
  wait_for 10 window_of "$1"
  local w; w=$(window_of "$1")
  xdotool windowfocus --sync "$w" 2>/dev/null || xdotool windowfocus "$w"
  echo "$w"
}
keys() { xdotool key --delay 60 "$@"; }

# A fresh player folder, a started game and the way to its main menu.
start_game() {
  data=$(mktemp -d)
  mkdir -p "$data/keyderby/DefaultUser/DATA"
  [ -n "${1:-}" ] && printf "$1" > "$data/keyderby/DefaultUser/DATA/Heat"
  XDG_DATA_HOME=$data "$GAME" >/dev/null 2>&1 &
  game_pid=$!
  wait_for 10 test -f "$data/keyderby/Data.dat"
  sleep 0.3
  focus "Key Derby" >/dev/null; keys Return          # the player-name screen's OK
  sleep 0.4; keys Return                              # "DefaultUserさんでよろしいですか？"
  wait_for 10 test -f "$data/keyderby/DefaultUser/DATA/Data"
  sleep 0.5
}
stop_game() { kill "$game_pid" 2>/dev/null || true; wait "$game_pid" 2>/dev/null || true; game_pid=; rm -rf "$data"; }

latency() {  # latency KEYSYM COUNT WINDOW -> "p50 p90 p99"
  local out; out=$("$XPROBE" keys "$2" "$1" "$3")
  echo "$(echo "$out" | field p50_ms) $(echo "$out" | field p90_ms) $(echo "$out" | field p99_ms) $(echo "$out" | field painted)/$2"
}
cpu_percent() {  # cpu_percent SECONDS [xdotool key args while measuring]
  local secs=$1; shift
  local hz; hz=$(getconf CLK_TCK)
  local t0; t0=$(cpu_ticks "$game_pid")
  if [ $# -gt 0 ]; then
    local end=$((SECONDS + secs))
    while [ $SECONDS -lt $end ]; do xdotool key --delay 100 "$@"; done
  else
    sleep "$secs"
  fi
  local t1; t1=$(cpu_ticks "$game_pid")
  awk -v a="$t0" -v b="$t1" -v hz="$hz" -v s="$secs" 'BEGIN {printf "%.2f\n", (b-a)*100/hz/s}'
}

rows=()
row() { rows+=("$(printf '%-44s %-22s %s' "$1" "$2" "$3")"); }

echo "Start-up and memory (median of 5)..." >&2
maps=(); settles=(); mems=()
for _ in 1 2 3 4 5; do
  d=$(mktemp -d)
  out=$(XDG_DATA_HOME=$d "$XPROBE" start "$GAME")
  maps+=("$(echo "$out" | field map_ms)"); settles+=("$(echo "$out" | field settled_ms)")
  rm -rf "$d"
  start_game; mems+=("$(rss_mb "$game_pid")"); stop_game
done
row "start-up: exec -> first window mapped" "$(printf '%s\n' "${maps[@]}" | median) ms" "target <= 70 ms"
row "start-up: exec -> painting settled" "$(printf '%s\n' "${settles[@]}" | median) ms" "target <= 120 ms"
row "resident memory at the main menu" "$(printf '%s\n' "${mems[@]}" | median) MB" "target <= 60 MB"

echo "Practice..." >&2
start_game
keys Return; w=$(focus "PRACTICE")
# Start and retry: each key changes the screen, through the same key path as typing.
sleep 0.3; lat_ps=$("$XPROBE" keys 1 space "$w" >/dev/null; echo)
keys space; sleep 1.8
read -r p50 p90 p99 painted <<<"$(latency a 200 "$w")"
row "key -> repaint, practice (p50/p90/p99)" "$p50/$p90/$p99 ms" "target p99 <= 4 ms ($painted keys painted)"
keys Escape; sleep 0.3; keys space; sleep 2
row "CPU, practice countdown, no keys" "$(cpu_percent 10) %" "target <= 1 %"
row "CPU, practice, typing 10 keys/s" "$(cpu_percent 10 a)" "% of one core"
stop_game

echo "Time trial..." >&2
start_game
keys Down Return; w=$(focus "TIME TRIAL")
sleep 0.3; keys space; sleep 1.8
read -r p50 p90 p99 painted <<<"$(latency a 200 "$w")"
row "key -> repaint, time trial (p50/p90/p99)" "$p50/$p90/$p99 ms" "target p99 <= 4 ms ($painted keys painted)"
keys Escape; sleep 0.3; keys space; sleep 2
row "CPU, time-trial clock, no keys" "$(cpu_percent 10) %" "target <= 1 %"
row "CPU, time trial, typing 10 keys/s" "$(cpu_percent 10 a)" "% of one core"
stop_game

# The derby: CrazyBallBlue (the third picture) has power for 49 misses.
derby_to() {  # derby_to TITLE: from the main menu to the race or the boss, running
  keys Down Down Return
  local w; w=$(focus "キャラクター選択")
  xdotool mousemove --window "$w" 218 107 click 1; sleep 0.2
  xdotool mousemove --window "$w" 280 360 click 1
  focus "HeatInfo" >/dev/null; keys space
  w=$(focus "$1"); sleep 0.3; keys space; sleep 1.8
  echo "$w"
}
echo "Race..." >&2
start_game
w=$(derby_to "KeyDerby")
read -r p50 p90 p99 painted <<<"$(latency q 40 "$w")"
row "key -> repaint, race (p50/p90/p99)" "$p50/$p90/$p99 ms" "target p99 <= 4 ms ($painted keys painted)"
stop_game

echo "Boss battle..." >&2
start_game '\x00\x00\x06\x00'
w=$(derby_to "BOSS!!")
read -r p50 p90 p99 painted <<<"$(latency q 40 "$w")"
row "key -> repaint, boss battle (p50/p90/p99)" "$p50/$p90/$p99 ms" "target p99 <= 4 ms ($painted keys painted)"
stop_game

echo "Timers and the judge..." >&2
while IFS='|' read -r name value target; do row "$name" "$value" "$target"; done < <(build/bench/bench/timer_bench)
judge=$(build/bench/bench/judge_bench --benchmark_format=csv 2>/dev/null | grep -E '^"?BM_' || true)
while IFS=, read -r name _ _ cpu _ _ _ _ _ rest; do
  [ -n "$name" ] || continue
  row "judge ${name//\"/}" "$cpu ns (cpu/iter)" "see counters"
done <<<"$judge"
build/bench/bench/judge_bench --benchmark_counters_tabular=true 2>/dev/null | grep -E 'BM_|ns_per_key|allocs' | sed 's/^/  /' >&2 || true

for prog in "$@"; do
  echo "Other program: $prog" >&2
  maps=(); settles=(); mems=()
  for _ in 1 2 3 4 5; do
    out=$(XPROBE_SETTLE_MS=500 "$XPROBE" start $prog)
    maps+=("$(echo "$out" | field map_ms)"); settles+=("$(echo "$out" | field settled_ms)")
    mems+=("$(echo "$out" | awk '/VmRSS/ {printf "%.1f\n", $2/1024}')")
  done
  row "$prog: first window mapped" "$(printf '%s\n' "${maps[@]}" | median) ms" ""
  row "$prog: painting settled" "$(printf '%s\n' "${settles[@]}" | median) ms" ""
  row "$prog: resident memory" "$(printf '%s\n' "${mems[@]}" | median) MB" ""
  $prog >/dev/null 2>&1 & game_pid=$!
  sleep 2
  w=$(xdotool search --pid "$game_pid" --onlyvisible . 2>/dev/null | tail -1 || true)
  if [ -n "$w" ]; then
    xdotool windowfocus --sync "$w" 2>/dev/null || true
    read -r p50 p90 p99 painted <<<"$(latency a 100 "$w")"
    row "$prog: key -> repaint (p50/p90/p99)" "$p50/$p90/$p99 ms" "($painted keys painted)"
  fi
  kill "$game_pid" 2>/dev/null || true; wait "$game_pid" 2>/dev/null || true; game_pid=
done

printf '\n%-44s %-22s %s\n' "measure" "value" "target"
printf '%s\n' "${rows[@]}"
