#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default 30).
# The seeds of tests/fuzz/corpus/<target> are copied into build-fuzz/corpus, so
# what a run finds stays out of the source tree. Prints the executions per target.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
if ! command -v clang++ >/dev/null; then
  echo "fuzz.sh: clang++ is not installed; no fuzz run" >&2
  exit 0
fi
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTRAVA_FUZZ=ON >/dev/null
cmake --build build-fuzz --parallel "$(nproc)"
status=0
for target in fon active lives text png project json journal settings recovery; do
  corpus="build-fuzz/corpus/$target"
  mkdir -p "$corpus"
  cp -n tests/fuzz/corpus/"$target"/* "$corpus"/ 2>/dev/null || true
  log="build-fuzz/fuzz_$target.log"
  # An empty work folder: the reader must never write, and a finding lands here.
  (cd build-fuzz && ./fuzz/fuzz_"$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
     -artifact_prefix="fuzz_${target}_" "corpus/$target" >"fuzz_$target.log" 2>&1) || status=1
  runs=$(grep -Eo 'Done [0-9]+ runs' "$log" | grep -Eo '[0-9]+' || echo "?")
  echo "fuzz_$target: $runs executions in ${seconds} s"
  if [ "$status" != 0 ]; then
    tail -40 "$log"
    exit 1
  fi
done
