#!/usr/bin/env bash
# Times the editor's start on a project on an X server of its own (Xvfb), a few
# times over: from starting kestrava to its main window shown, and to the
# project shown in it (the project's folder in the title). The times are taken
# by startup_watch (built with -DKESTRAVA_BUILD_BENCH=ON), which waits for the
# server's own notices instead of polling.
# Usage: scripts/startup-time.sh BUILD_DIR PROJECT.prg [RUNS]
set -euo pipefail
build="$1"
project="$(realpath "$2")"
runs="${3:-5}"
name="$(basename "$(dirname "$project")")"
display=":94"
for tool in Xvfb xdpyinfo; do
  command -v "$tool" >/dev/null || { echo "startup-time.sh needs $tool (scripts/install-deps.sh installs it)" >&2; exit 1; }
done
runtime="$(mktemp -d)"
Xvfb "$display" -screen 0 1280x900x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb; rm -rf "$runtime"' EXIT
export DISPLAY="$display"
export XDG_RUNTIME_DIR="$runtime"
# The server takes well under a second; one that is not up in 10 s will not come.
for _ in $(seq 200); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.05
done
if ! xdpyinfo >/dev/null 2>&1; then
  echo "startup-time.sh: the X server on $display did not start within 10 s" >&2
  exit 1
fi
for run in $(seq "$runs"); do
  echo "run $run: $("$build/bin/startup_watch" " - $name" "$build/bin/kestrava" "$project" | tr '\n' ' ')"
done
