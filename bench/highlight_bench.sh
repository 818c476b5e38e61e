#!/bin/sh
# Builds the highlighting benchmark (release, in its own build folder) and runs it headless:
# typing on a 16 MB config with and without the syntax highlighting, and their ratio.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTESSERA_BENCH=ON -DTESSERA_TESTS=OFF >/dev/null
cmake --build "$build" --target highlight_bench -j"${JOBS:-2}"
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} exec "$build/bench/highlight_bench" "$@"
