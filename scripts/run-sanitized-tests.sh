#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs the whole suite there (the packages come from install-deps.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTRAVA_SANITIZE=ON >/dev/null
cmake --build build-asan --parallel "$(nproc)"
cd build-asan
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/../tests/lsan.supp"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel 2
