#!/bin/sh
# Builds the typing benchmark (RelWithDebInfo, in its own build folder) and runs it headless:
# typing on a 16 MB config in the main window against a bare Qt editor with the same file,
# alternated key by key; medians, quartiles and the machine's load.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSERA_BENCH=ON -DTESSERA_TESTS=OFF >/dev/null
flock /tmp/tessera-build.lock cmake --build "$build" --target highlight_bench -j"${JOBS:-2}"
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} exec "$build/bench/highlight_bench" "$root/data" "$@"
