#!/bin/sh
# Builds the keyboard map benchmark (RelWithDebInfo, in its own build folder) and runs it headless: the
# map window of the program on a 16 MB config, reopened after an edit of one line and opened from
# scratch, until painted, against the editor's text read out and one plain scan of its binds.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSERA_BENCH=ON -DTESSERA_TESTS=OFF >/dev/null
flock /tmp/tessera-build.lock cmake --build "$build" --target key_map_bench -j"${JOBS:-2}"
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} exec "$build/bench/key_map_bench" "$@"
