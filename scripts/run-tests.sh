#!/usr/bin/env bash
# Installs the packages, builds, and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel 2
