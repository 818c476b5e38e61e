#!/bin/sh
# Builds the cleanup benchmark (RelWithDebInfo, in its own build folder) and runs it: the editor's
# cleanup against GNU sed on the same 5 MB config, with both times and their ratio.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
command -v sed >/dev/null || { echo "GNU sed is needed for the baseline" >&2; exit 1; }
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSERA_BENCH=ON -DTESSERA_TESTS=OFF >/dev/null
flock /tmp/tessera-build.lock cmake --build "$build" --target cleanup_bench -j"${JOBS:-2}"
exec "$build/bench/cleanup_bench" "$@"
