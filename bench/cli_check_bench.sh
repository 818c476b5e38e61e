#!/bin/sh
# `tessera --check` over a folder of configs, start-up included, against `cat` of the same files,
# the two alternated run by run. With no folder given, 161 configs (about 760 KB) are made from
# the demo game's configs and the shipped MetaBinds, each a different mix.
#
#   bench/cli_check_bench.sh [FOLDER] [ROUNDS]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSERA_BENCH=ON -DTESSERA_TESTS=OFF >/dev/null
cmake --build "$build" --target tessera -j"${JOBS:-2}" >/dev/null
folder=${1:-}
rounds=${2:-15}
if [ -z "$folder" ]; then
    folder=$(mktemp -d)
    trap 'rm -rf "$folder"' EXIT
    set -- "$root"/demo/Half-Life/cstrike/*.cfg "$root"/data/dlls/metabinds/*.mtb
    i=0
    while [ $i -lt 161 ]; do
        out="$folder/config$i.cfg"
        : >"$out"
        # A different run of the pieces for each file, until it holds about 4.7 KB.
        n=0
        for piece in "$@"; do
            n=$((n + 1))
            [ $(((n + i) % 3)) -eq 0 ] || cat "$piece" >>"$out"
            [ "$(wc -c <"$out")" -lt 4700 ] || break
        done
        head -c 4700 "$out" >"$out.tmp" && mv "$out.tmp" "$out"
        i=$((i + 1))
    done
fi
files=$(ls "$folder"/*.cfg | wc -l)
bytes=$(cat "$folder"/*.cfg | wc -c)
echo "configs: $files files, $bytes bytes in $folder"

now() { date +%s%N; }
ours=""
floor=""
r=0
while [ $r -lt "$rounds" ]; do
    t0=$(now)
    "$build/tessera" --check "$folder"/*.cfg >/dev/null 2>&1 || true
    t1=$(now)
    cat "$folder"/*.cfg >/dev/null
    t2=$(now)
    ours="$ours $(((t1 - t0) / 1000))"
    floor="$floor $(((t2 - t1) / 1000))"
    r=$((r + 1))
done

# Median and quartiles of a list of microseconds.
stats() {
    echo "$1" | tr ' ' '\n' | grep . | sort -n | awk '{v[NR]=$1} END {
        printf "median %.1f ms (quartiles %.1f-%.1f)", v[int((NR+1)/2)]/1000, v[int((NR+3)/4)]/1000, v[int((3*NR+1)/4)]/1000 }'
}
echo "tessera --check: $(stats "$ours")"
echo "cat:             $(stats "$floor")"
m1=$(echo "$ours" | tr ' ' '\n' | grep . | sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}')
m2=$(echo "$floor" | tr ' ' '\n' | grep . | sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}')
awk -v a="$m1" -v b="$m2" 'BEGIN { printf "ratio of the medians: %.1fx (goal: the whole check under 1 s)\n", a / b }'
echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
