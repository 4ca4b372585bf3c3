#!/usr/bin/env bash
# The plain 20 ms request writer against its own board simulator, for comparison with the
# recorder's request periods taken at the same time:
#   ticker_run.sh BUILD_DIR OUT_DIR SECONDS        (OUT_DIR gets sim.log)
set -euo pipefail
build=$1 out=$2 seconds=$3
mkdir -p "$out"
"$build/kelvra-board-sim" --link "$out/link" --log "$out/sim.log" --seed 1 --quiet &
sim=$!
trap 'kill "$sim" 2>/dev/null || true; wait 2>/dev/null || true' EXIT
for _ in $(seq 100); do [ -e "$out/link" ] && break; sleep 0.05; done
"$build/bench/kelvra-bench-ticker" "$out/link" "$seconds"
