#!/usr/bin/env bash
# Plays a long session in one process: GAMES games over every mode through the real screens
# (manual clock, scripted keys, a data folder of its own, the learning record on), then prints
# one line of figures and one line per target; exits 1 when a target is missed.
#   tools/soak/run.sh GAMES [--seed N] [--warm-up N] [--silent] [--no-build]
#   --silent     no sound library (by default SDL plays through its dummy device)
#   --no-build   use the program already built
# Builds kd_soak in the suite's build (CMake preset "suite", build/test; KD_SOAK_BUILD=DIR takes
# another configured build). KD_SOAK_TRACE=1 prints the figures every ten games on stderr.
set -uo pipefail
cd "$(dirname "$0")/../.."
[ $# -ge 1 ] || { sed -n '2,8p' "$0" >&2; exit 2; }
build=1 args=()
for a in "$@"; do
  if [ "$a" = --no-build ]; then build=0; else args+=("$a"); fi
done
dir=${KD_SOAK_BUILD:-build/test}
if [ $build -eq 1 ]; then
  [ -n "${KD_SOAK_BUILD:-}" ] || cmake --preset suite >/dev/null || exit 1
  cmake --build "$dir" --target kd_soak -j "$(nproc)" >/dev/null || { echo "building kd_soak failed"; exit 1; }
fi
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
exec "$dir/bin/kd_soak" "${args[@]}"
