#!/usr/bin/env bash
# Builds the package benchmark without sanitizers and runs it: installing and packing
# 100 pictures of 600 KB beside cp -r and cat. Arguments go to the program
# (pictures, bytes per picture); TMPDIR chooses where the files are made.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/bench-packages
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZOLVERA_TESTS=OFF >/dev/null
cmake --build "$build" --target packages_bench >/dev/null
"$build/bench/packages_bench" "$@"
