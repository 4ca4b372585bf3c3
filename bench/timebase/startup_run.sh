#!/usr/bin/env bash
# Start-up time of the recorder on the current X display: from the start of the process to its
# first request on the line, as the board simulator logs it. One line per start, in ms:
#   startup_run.sh BUILD_DIR OUT_DIR STARTS
set -euo pipefail
build=$1 out=$2 starts=$3
mkdir -p "$out"
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; wait 2>/dev/null || true' EXIT

for n in $(seq "$starts"); do
  dir=$out/$n
  mkdir -p "$dir"
  "$build/kelvra-board-sim" --link "$dir/link" --log "$dir/sim.log" --seed 1 --quiet &
  sim=$!
  pids=("$sim")
  for _ in $(seq 100); do [ -e "$dir/link" ] && break; sleep 0.05; done
  QT_QPA_PLATFORM=xcb "$build/bench/kelvra-bench-stamp" "$dir/start" "$build/kelvra" --port "$dir/link" \
    --archive "$dir/archive" 2>/dev/null &
  pids+=($!)
  for _ in $(seq 200); do [ -s "$dir/sim.log" ] && break; sleep 0.05; done
  kill "${pids[@]}"
  wait "${pids[@]}" 2>/dev/null || true
  [ -s "$dir/sim.log" ] || { echo "no request within 10 s of start $n" >&2; exit 1; }
  awk -v start="$(cat "$dir/start")" 'NR == 1 { printf "%.1f\n", ($1 - start) * 1000; exit }' "$dir/sim.log"
  # The window's first paint and the X server settle before the next start.
  sleep 0.5
done
