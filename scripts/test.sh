#!/usr/bin/env bash
# Sets up, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs=$(nproc)
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKD_BUILD_TESTS=ON >/dev/null
cmake --build build/test -j "$jobs"
cd build/test
ctest --output-on-failure -j "$jobs"
