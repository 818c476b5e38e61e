#!/bin/sh
# Builds the typing benchmark (RelWithDebInfo, in its own build folder) and runs it headless:
# typing on a 16 MB config in the program's window with the highlighting on against a plain Qt
# editor with the same status bar, alternated row by row; medians and spread.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSERA_BENCH=ON -DTESSERA_TESTS=OFF >/dev/null
cmake --build "$build" --target highlight_bench -j"${JOBS:-2}"
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} exec "$build/bench/highlight_bench" "$root/data" "$@"
