#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default 30).
# The seeds of tests/fuzz/corpus/<target> are copied into build-fuzz/corpus, so
# what a run finds stays out of the source tree. Prints the executions per
# target; every target runs, and any finding (a crash, a leak, a hang, an
# allocation past the limit) makes the script fail with the input's log.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
if ! command -v clang++ >/dev/null; then
  echo "fuzz.sh: clang++ is not installed (scripts/install-deps.sh installs it)" >&2
  exit 1
fi
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTRAVA_FUZZ=ON >/dev/null
cmake --build build-fuzz --parallel "$(nproc)"
failed=()
for target in fon active lives text png project extras json journal settings recovery; do
  corpus="build-fuzz/corpus/$target"
  mkdir -p "$corpus"
  cp -n tests/fuzz/corpus/"$target"/* "$corpus"/ 2>/dev/null || true
  log="build-fuzz/fuzz_$target.log"
  # Run in the build folder: the reader must never write, and a finding lands there.
  if (cd build-fuzz && ./fuzz/fuzz_"$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
        -artifact_prefix="fuzz_${target}_" "corpus/$target" >"fuzz_$target.log" 2>&1); then
    runs=$(grep -Eo 'Done [0-9]+ runs' "$log" | grep -Eo '[0-9]+' || echo "?")
    echo "fuzz_$target: $runs executions in ${seconds} s"
  else
    echo "fuzz_$target: FINDING (build-fuzz/fuzz_${target}_*)"
    tail -40 "$log"
    failed+=("$target")
  fi
done
if [ "${#failed[@]}" != 0 ]; then
  echo "fuzz.sh: findings in ${failed[*]}" >&2
  exit 1
fi
