#!/usr/bin/env bash
# The versions store's cost on a save: configs of 1 MB (seeds 15 and 16) and a player's 20 KB,
# made by the shared generator, each saved with versions kept against the save alone.
# Usage: bench/version_store_bench.sh [ROUNDS]  (built with -DTESSERA_BENCH=ON in build-bench)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
gen="${GEN_CFG:-$root/../shared/tools/gen_cfg.py}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
python3 "$gen" "$work/1mb_s15.cfg" 1048576 15
python3 "$gen" "$work/1mb_s16.cfg" 1048576 16
python3 "$gen" "$work/20kb_s15.cfg" 20480 15
"$root/build-bench/bench/version_store_bench" "${1:-60}" "$work/1mb_s15.cfg" "$work/1mb_s16.cfg" \
  "$work/20kb_s15.cfg"
