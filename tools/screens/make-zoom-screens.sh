#!/usr/bin/env bash
# The zoom pictures in docs/screens/, made again from the real program: each screen at 100 %
# and 200 %, the main menu in full screen at 150 %, the practice's result at 200 %.
#
#   tools/screens/make-zoom-screens.sh [OUTPUT FOLDER]   (default docs/screens)
#
# Uses the release build of the benchmarks (build/bench: the game and question_keys), building
# what is missing. Runs on a private Xvfb of 1920 x 1200 without a window manager, each picture
# from a fresh data and settings folder with the zoom written in keyderby.conf, driven by
# xdotool as a player would, and saved with ImageMagick's import, cut to the game's window.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
out=$(realpath -m "${1:-$root/docs/screens}")
build=$root/build/bench
GAME=$build/bin/keyderby
QKEYS=$build/bench/question_keys

for tool in Xvfb xdotool import identify; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (Debian: xvfb xdotool imagemagick)" >&2; exit 1; }
done
faketime_lib=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -1)
[ -n "$faketime_lib" ] || { echo "libfaketime is missing (Debian package faketime)" >&2; exit 1; }
if [ ! -x "$GAME" ] || [ ! -x "$QKEYS" ]; then
  echo "Building the game and question_keys (release, build/bench)..." >&2
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKD_BUILD_BENCH=ON -DKD_BUILD_TESTS=OFF >/dev/null
  cmake --build "$build" --target keyderby question_keys >/dev/null
fi
mkdir -p "$out"

work=$(mktemp -d)
xvfb_pid=
game_pid=
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
# Room for every window at 200 %; no window manager, so no frames in the pictures.
Xvfb -displayfd 3 -screen 0 1920x1200x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
DISPLAY=:$(head -1 "$work/display")
export DISPLAY
unset QT_QPA_PLATFORM
export SDL_AUDIODRIVER=dummy XDG_RUNTIME_DIR=$work/runtime LANGUAGE=ja
mkdir -m 700 "$XDG_RUNTIME_DIR"

# The wall clock stands still at this moment for the game and question_keys alike, so the
# question drawn at Space is known and the right keys can be typed; timers keep running.
frozen=(env LD_PRELOAD="$faketime_lib" FAKETIME="$(date '+%Y-%m-%d %H:%M:%S')" DONT_FAKE_MONOTONIC=1)

# shellcheck source=bench/tools/drive-game.sh
. "$root/bench/tools/drive-game.sh"

# start_game ZOOM [FULLSCREEN [PRACTICE SECONDS [HEAT RECORD]]]: a fresh player who practises
# idioms, the game at that zoom, and the way through the name screen to the main menu.
start_game() {
  data=$(mktemp -d -p "$work")
  "${frozen[@]}" "$QKEYS" idioms "$data/keyderby" DefaultUser "${3:-60}"
  [ -n "${4:-}" ] && printf '%b' "$4" >"$data/keyderby/DefaultUser/DATA/Heat"
  view_settings "$data/config" "$1" "${2:-false}"
  XDG_DATA_HOME=$data XDG_CONFIG_HOME=$data/config "${frozen[@]}" "$GAME" >/dev/null 2>&1 &
  game_pid=$!
  wait_for 10 test -f "$data/keyderby/Data.dat"  # the name screen is up
  sleep 0.3
  focus "Key Derby" >/dev/null; keys Return  # the name screen's OK
  sleep 0.4; keys Return                     # "DefaultUserさんでよろしいですか？"
  wait_for 10 test -f "$data/keyderby/DefaultUser/DATA/Data"
  sleep 0.5
}
# shot NAME WINDOW|root: the window as drawn, once its painting has settled
shot() {
  sleep 1
  if [ "$2" = root ]; then
    import -window root -strip "$out/$1.png"
  else
    import -window "$2" -strip "$out/$1.png"
  fi
  echo "$1.png: $(identify -format '%wx%h' "$out/$1.png")" >&2
}

main_menu() {
  start_game "$1"
  shot "main-menu-$1" "$(focus "Key Derby")"
  stop_game
}
full_screen() {
  start_game 150 true
  focus "Key Derby" >/dev/null
  shot main-menu-fullscreen root
  stop_game
}
practice() {  # the first question, its reading whole
  local w
  start_game "$1"
  focus "Key Derby" >/dev/null
  keys Return; w=$(focus "PRACTICE"); sleep 0.3
  go
  shot "practice-$1" "$w"
  stop_game
}
practice_result() {  # a practice of 15 s, 40 right keys typed in its first 10 s
  local w run
  mapfile -t run < <("${frozen[@]}" "$QKEYS" guide 40)
  start_game "$1" false 15
  focus "Key Derby" >/dev/null
  keys Return; focus "PRACTICE" >/dev/null; sleep 0.3
  go
  xdotool type --delay 250 "${run[0]}"
  wait_for 20 has_window "結果"
  shot "practice-result-$1" "$(focus "結果")"
  stop_game
}
select_chara() {
  start_game "$1"
  focus "Key Derby" >/dev/null
  keys Down Down Return
  shot "select-chara-$1" "$(focus "キャラクター選択")"
  stop_game
}
boss() {  # the player's record stands before the boss (fifth heat won); a question up
  local w
  start_game "$1" false 60 '\x00\x00\x06\x00'
  focus "Key Derby" >/dev/null
  keys Down Down Return
  focus "キャラクター選択" >/dev/null; keys Return  # OK: CrazyBallRed
  focus "HeatInfo" >/dev/null; keys space
  w=$(focus "BOSS!!"); sleep 0.3
  go
  shot "boss-$1" "$w"
  stop_game
}

# SCREENS="boss practice_result" makes only those (main_menu practice select_chara boss
# full_screen practice_result).
for screen in ${SCREENS:-main_menu practice select_chara boss full_screen practice_result}; do
  case $screen in
    full_screen) full_screen ;;
    practice_result) practice_result 200 ;;
    *) "$screen" 100; "$screen" 200 ;;
  esac
done
