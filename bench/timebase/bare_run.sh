#!/usr/bin/env bash
# CPU share of the bare reference window on the current X display, over SECONDS after settling:
#   bare_run.sh BUILD_DIR OUT_DIR SECONDS        (OUT_DIR gets result: cpu_percent)
set -euo pipefail
build=$1 out=$2 seconds=$3
mkdir -p "$out"
QT_QPA_PLATFORM=xcb "$build/bench/kelvra-bench-bare-window" 2>/dev/null &
window=$!
trap 'kill "$window" 2>/dev/null || true; wait 2>/dev/null || true' EXIT
timeout 20 xdotool search --sync --onlyvisible --name "bare window" >/dev/null
sleep 2
cpu_ticks() { awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "/proc/$window/stat"; }
before=$(cpu_ticks)
sleep "$seconds"
after=$(cpu_ticks)
awk -v a="$before" -v b="$after" -v s="$seconds" -v hz="$(getconf CLK_TCK)" \
  'BEGIN { printf "cpu_percent %.2f\n", 100 * (b - a) / hz / s }' >"$out/result"
