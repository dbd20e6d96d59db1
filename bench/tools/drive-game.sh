# Driving the real game on an X server with xdotool, shared by bench/run.sh and
# tools/screens/make-zoom-screens.sh (sourced). The caller sets game_pid when it starts the game.

wait_for() {  # wait_for SECONDS COMMAND...: until the command succeeds
  local limit=$(($1 * 10)); shift
  for _ in $(seq "$limit"); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "timed out waiting for: $*" >&2
  return 1
}
# The game's newest visible window whose title holds TEXT. The title is compared here:
# xdotool's --name takes a regular expression that, with kana or kanji in it, matched any
# title. A window closing while xdotool walks the tree makes it fail (BadWindow): ask again.
window_of() {  # window_of TEXT
  local ws w name found=
  for _ in 1 2 3; do
    ws=$(xdotool search --pid "$game_pid" --onlyvisible --name . 2>/dev/null) && break
    sleep 0.1
  done
  for w in ${ws:-}; do
    name=$(xdotool getwindowname "$w" 2>/dev/null) || continue
    [[ $name == *"$1"* ]] && found=$w
  done
  echo "$found"
}
has_window() { [ -n "$(window_of "$1")" ]; }
focus() {  # focus TITLE: waits for the game's window with that title, gives it the keyboard, prints its id
  wait_for 15 has_window "$1"
  local w; w=$(window_of "$1")
  timeout 5 xdotool windowfocus --sync "$w" 2>/dev/null || xdotool windowfocus "$w"
  echo "$w"
}
keys() { xdotool key --delay 80 "$@"; }
# go: Space on a play screen, then wait out "Ready..." and "Go!!"
go() { keys space; sleep 1.8; }
stop_game() {
  kill "$game_pid" 2>/dev/null || true
  wait "$game_pid" 2>/dev/null || true
  game_pid=
}
# view_settings CONFIG_HOME PERCENT [FULLSCREEN]: the machine's zoom and full screen, as the
# game keeps them, in a fresh settings folder.
view_settings() {
  mkdir -p "$1/keyderby"
  printf '[view]\nzoomPercent=%s\nfullScreen=%s\n' "$2" "${3:-false}" >"$1/keyderby/keyderby.conf"
}
