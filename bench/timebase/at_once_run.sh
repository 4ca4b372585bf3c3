#!/usr/bin/env bash
# The recorder's window on a board that answers at once (kelvra-bench-at-once), archive on, on the
# current X display, measured as recorder_run.sh measures the recorder (ROUNDS, STRACE_SECONDS
# likewise):
#   at_once_run.sh BUILD_DIR OUT_DIR SECONDS        (OUT_DIR gets result and the archive)
set -euo pipefail
build=$1 out=$2 seconds=$3
. "$(dirname "$0")/process_figures.sh"
mkdir -p "$out"
# The environment the recorder's main() gives itself: the time zone named once, images over the
# X connection.
TZ=${TZ:-:/etc/localtime} QT_XCB_NO_MITSHM=1 QT_QPA_PLATFORM=xcb XDG_DATA_HOME="$out/data" \
  "$build/bench/kelvra-bench-at-once" "$out/archive" 2>"$out/at_once.err" &
window=$!
trap 'kill "$window" 2>/dev/null || true; wait 2>/dev/null || true' EXIT
timeout 20 xdotool search --sync --onlyvisible --name KELVRA >/dev/null
sleep 2
process_figures "$window" "$seconds" "${ROUNDS:-6}" "${STRACE_SECONDS:-0}" >"$out/result"
