#!/usr/bin/env bash
# The X requests of a free-running recorder on the current X display, through the xtrace proxy:
#   x_requests_run.sh BUILD_DIR OUT_DIR SECONDS
# OUT_DIR gets xtrace.log and result (flushes_per_s, puts_per_flush, puts_per_flush_max,
# round_trips_per_flush) over SECONDS after settling.
set -euo pipefail
build=$1 out=$2 seconds=$3
settle=4
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$out"
link=$out/link
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; wait 2>/dev/null || true' EXIT
command -v xtrace >/dev/null || { echo "xtrace is not installed (scripts/setup.sh)" >&2; exit 1; }

"$build/kelvra-board-sim" --link "$link" --seed 1 --quiet &
pids+=($!)
for _ in $(seq 100); do [ -e "$link" ] && break; sleep 0.05; done

# A fake display number of its own, beside the xvfb-run ones.
fake=$((400 + $$ % 400))
QT_QPA_PLATFORM=xcb xtrace -c -b --relative-timestamps -D ":$fake" -o "$out/xtrace.log" -- \
  "$build/kelvra" --port "$link" 2>"$out/kelvra.err" &
pids+=($!)
sleep "$settle"
from=$(wc -l <"$out/xtrace.log")
sleep "$seconds"
to=$(wc -l <"$out/xtrace.log")
sed -n "$((from + 1)),${to}p" "$out/xtrace.log" | awk -v gap=0.05 -f "$here/x_requests.awk" >"$out/result"
