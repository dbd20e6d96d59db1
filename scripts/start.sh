#!/usr/bin/env bash
# Sets up, builds and starts Key Derby.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKD_BUILD_TESTS=OFF >/dev/null
cmake --build build/release --target keyderby
exec build/release/bin/keyderby "$@"
