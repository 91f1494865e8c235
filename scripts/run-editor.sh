#!/usr/bin/env bash
# Installs the packages, builds, and starts the editor on the bundled demo.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh
demo=examples/demo/project.prg
if [ -f "$demo" ]; then
  exec ./build/bin/kestrava "$demo"
else
  exec ./build/bin/kestrava
fi
