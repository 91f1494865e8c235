#!/usr/bin/env bash
# Times the editor's start on a project: from starting kestrava to its main
# window shown (mapped, with the project's folder in its title), polled with
# xdotool on an X server of its own (Xvfb), a few times over.
# Usage: scripts/startup-time.sh KESTRAVA PROJECT.prg [RUNS] [APP_DIR]
set -euo pipefail
kestrava="$1"
project="$(realpath "$2")"
runs="${3:-5}"
appdir="${4:-$(dirname "$(realpath "$kestrava")")}"
name="$(basename "$(dirname "$project")")"
display=":94"
Xvfb "$display" -screen 0 1280x900x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb' EXIT
export DISPLAY="$display"
until xdpyinfo >/dev/null 2>&1; do sleep 0.05; done
for run in $(seq "$runs"); do
  start=$(date +%s%N)
  "$kestrava" --app-dir "$appdir" "$project" >/dev/null 2>&1 &
  editor=$!
  until xdotool search --onlyvisible --name " - ${name}\$" >/dev/null 2>&1; do sleep 0.002; done
  shown=$(date +%s%N)
  echo "run $run: $(( (shown - start) / 1000000 )) ms"
  kill "$editor"
  wait "$editor" 2>/dev/null || true
done
