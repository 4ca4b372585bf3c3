#!/usr/bin/env bash
# Installs what is missing, builds, and runs the recorder. Without --port it starts the
# board simulator on a pseudo-terminal and stops it again when the recorder exits; the simulated
# readings are then archived in /tmp/kelvra-sim-archive, not in the real archive, unless
# --archive or --no-archive says otherwise.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" build

for arg in "$@"; do
  case "$arg" in --port|--port=*|--help|-h|--version|-v) exec "$root/build/kelvra" "$@" ;; esac
done

link=/tmp/kelvra-board
"$root/build/kelvra-board-sim" --link "$link" --quiet &
sim=$!
trap 'kill "$sim" 2>/dev/null; wait "$sim" 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
archive=(--archive /tmp/kelvra-sim-archive)
for arg in "$@"; do
  case "$arg" in --archive|--archive=*|--no-archive) archive=() ;; esac
done
status=0
"$root/build/kelvra" --port "$link" "${archive[@]}" "$@" || status=$?
exit "$status"
