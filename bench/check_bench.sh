#!/bin/sh
# Builds the config check benchmarks (RelWithDebInfo, in their own build folder) and runs them
# headless: F7 on 1 and 16 MB against a line-end count and a view split of the text, and a key
# inside an alias name of a 16 MB config against the same key on a bind line.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSERA_BENCH=ON -DTESSERA_TESTS=OFF >/dev/null
flock /tmp/tessera-build.lock cmake --build "$build" --target check_bench alias_typing_bench -j"${JOBS:-2}"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
"$build/bench/check_bench"
"$build/bench/alias_typing_bench"
