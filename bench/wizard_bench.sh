#!/bin/sh
# Builds the wizard benchmark (RelWithDebInfo, in its own build folder) and runs it: reading and
# applying configs of 1 to 16 MB against one plain scan of the same text.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSERA_BENCH=ON -DTESSERA_TESTS=OFF >/dev/null
flock /tmp/tessera-build.lock cmake --build "$build" --target wizard_bench -j"${JOBS:-2}"
exec "$build/bench/wizard_bench" "$@"
