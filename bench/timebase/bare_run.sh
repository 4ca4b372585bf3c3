#!/usr/bin/env bash
# A bare window's figures on the current X display, over SECONDS after settling, as
# recorder_run.sh takes them (ROUNDS, STRACE_SECONDS likewise):
#   bare_run.sh BUILD_DIR OUT_DIR SECONDS [KIND]        (OUT_DIR gets result)
# KIND is floor (the default: its 20 ms timer does nothing) or paint (it repaints a column on
# every tick).
set -euo pipefail
build=$1 out=$2 seconds=$3 kind=${4:-floor}
. "$(dirname "$0")/process_figures.sh"
case $kind in
  floor) args=() ;;
  paint) args=(--paint) ;;
  *) echo "unknown kind $kind" >&2; exit 2 ;;
esac
mkdir -p "$out"
QT_QPA_PLATFORM=xcb "$build/bench/kelvra-bench-bare-window" "${args[@]}" 2>/dev/null &
window=$!
trap 'kill "$window" 2>/dev/null || true; wait 2>/dev/null || true' EXIT
timeout 20 xdotool search --sync --onlyvisible --name "bare window" >/dev/null
sleep 2
process_figures "$window" "$seconds" "${ROUNDS:-6}" "${STRACE_SECONDS:-0}" >"$out/result"
