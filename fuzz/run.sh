#!/usr/bin/env bash
# Builds the fuzz targets with clang (in build-fuzz/) and runs each for the given number of
# seconds, seeded from the shipped data named on the target's "Seeds:" line. What a run finds
# (crashes, failed properties, hangs) is kept in build-fuzz/findings/; the corpus grows in
# build-fuzz/corpus/ from one run to the next.
#
#   fuzz/run.sh [seconds per target, default 60] [target ...]   e.g. fuzz/run.sh 30 cp1251 jpeg
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
shift || true
build="$root/build-fuzz"

cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTESSERA_FUZZ=ON -DTESSERA_TESTS=OFF >/dev/null || exit 1
cmake --build "$build" -j2 --target fuzz_all || exit 1

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in "$root"/fuzz/targets/*.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi

# Files written per run stay in memory when /dev/shm is there.
[ -w /dev/shm ] && export TMPDIR=/dev/shm
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1" UBSAN_OPTIONS="print_stacktrace=1"
export QT_QPA_PLATFORM=offscreen

failed=()
summary=()
for t in "${targets[@]}"; do
  source_file="$root/fuzz/targets/$t.cpp"
  [ -f "$source_file" ] || { echo "no such target: $t"; failed+=("$t"); continue; }
  corpus="$build/corpus/$t"
  seeds="$build/seeds/$t"
  findings="$build/findings/$t"
  rm -rf "$seeds"
  mkdir -p "$corpus" "$seeds" "$findings"
  # "// Seeds: data/dlls/*.dll demo/..." names globs relative to the repository.
  for pattern in $(sed -n 's|^// Seeds: *||p' "$source_file"); do
    for f in "$root"/$pattern; do
      [ -f "$f" ] && cp "$f" "$seeds/$(echo "${f#"$root"/}" | tr '/' '_')"
    done
  done
  log="$findings/last-run.log"
  echo "== fuzz_$t: ${seconds}s, $(ls "$seeds" | wc -l) seeds, $(ls "$corpus" | wc -l) in corpus"
  "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$findings/" -print_final_stats=1 "$corpus" "$seeds" >"$log" 2>&1
  status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  if [ $status -ne 0 ]; then
    failed+=("$t")
    summary+=("fuzz_$t: FOUND A FAULT after ${runs:-?} runs, see $log and $findings/")
    grep -m5 -E "ERROR|runtime error|property failed" "$log"
  else
    summary+=("fuzz_$t: ${runs:-?} runs, nothing found")
  fi
done

echo
printf '%s\n' "${summary[@]}"
[ ${#failed[@]} -eq 0 ]
