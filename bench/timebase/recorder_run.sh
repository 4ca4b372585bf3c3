#!/usr/bin/env bash
# One recorder against the board simulator on the current X display, measured from outside:
#   recorder_run.sh BUILD_DIR OUT_DIR MODE SECONDS [STEPS [ARCHIVE [DETECT]]]
# MODE is free, 1min, 5min or 20min; the timed ones are chosen by clicking their button.
# ARCHIVE is on (the default; the archive goes to OUT_DIR/archive) or off (--no-archive);
# DETECT is on (the default) or off (--no-detect).
# After a settling time it takes the process's figures over SECONDS (see process_figures.sh;
# ROUNDS and STRACE_SECONDS from the environment, default 6 and 0), then (with STEPS) waits for
# that many sweep steps, then stops the recorder with SIGTERM. OUT_DIR gets sim.log (every request
# byte), kelvra.err (the sweep lines), start (the monotonic start time) and result (cpu_percent,
# wakeups_per_s, syscalls_per_s, vmhwm_kib, steps, and with the archive on archive_bytes and
# archive_seconds: what the day files grew by while the recorder ran, and for how long).
set -euo pipefail
build=$1 out=$2 mode=$3 seconds=$4 steps=${5:-0} archive=${6:-on} detect=${7:-on}
settle=2
. "$(dirname "$0")/process_figures.sh"

declare -A button_x=([1min]=776 [5min]=840 [20min]=840)
declare -A button_y=([1min]=416 [5min]=384 [20min]=416)
declare -A interval_ms=([free]=20 [1min]=62 [5min]=328 [20min]=1324)
[ -n "${interval_ms[$mode]:-}" ] || { echo "unknown mode $mode" >&2; exit 2; }

mkdir -p "$out"
link=$out/link
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; wait 2>/dev/null || true' EXIT

"$build/kelvra-board-sim" --link "$link" --log "$out/sim.log" --seed 1 --quiet &
pids+=($!)
for _ in $(seq 100); do [ -e "$link" ] && break; sleep 0.05; done

archive_args=(--no-archive)
[ "$archive" = off ] || archive_args=(--archive "$out/archive")
[ "$detect" = on ] || archive_args+=(--no-detect)
began=$(date +%s.%N)
QT_QPA_PLATFORM=xcb QT_LOGGING_RULES="kelvra.sweep.debug=true" XDG_DATA_HOME="$out/data" \
  "$build/bench/kelvra-bench-stamp" "$out/start" "$build/kelvra" --port "$link" "${archive_args[@]}" \
  2>"$out/kelvra.err" &
recorder=$!
pids+=("$recorder")

window=$(timeout 20 xdotool search --sync --onlyvisible --name KELVRA | head -n 1)
if [ "$mode" != free ]; then
  # Without a window manager the window sits at its own position.
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool mousemove --sync $((X + ${button_x[$mode]} + 23)) $((Y + ${button_y[$mode]} + 13)) click 1
fi
sleep "$settle"

figures=$(process_figures "$recorder" "$seconds" "${ROUNDS:-6}" "${STRACE_SECONDS:-0}")
hwm=$(awk '/^VmHWM:/ { print $2 }' "/proc/$recorder/status")

count_steps() { grep -c 'kelvra\.sweep: step' "$out/kelvra.err" || true; }
if [ "$steps" -gt 0 ]; then
  # One step more than asked for: the mean is taken over the periods between steps.
  deadline=$((SECONDS + (steps + 1) * ${interval_ms[$mode]} / 1000 + 15))
  while [ "$(count_steps)" -le "$steps" ] && [ "$SECONDS" -lt "$deadline" ]; do sleep 1; done
fi

kill -TERM "$recorder"
wait "$recorder" || true
ended=$(date +%s.%N)

{
  if [ "$archive" != off ]; then
    # The day files only: the event list and event files beside them are not the archive's growth.
    echo "archive_bytes $(find "$out/archive" -path "$out/archive/events" -prune -o -type f -printf '%s\n' 2>/dev/null |
      awk '{ s += $1 } END { print s + 0 }')"
    awk -v a="$began" -v b="$ended" 'BEGIN { printf "archive_seconds %.1f\n", b - a }'
  fi
  echo "$figures"
  echo "vmhwm_kib $hwm"
  echo "steps $(count_steps)"
} >"$out/result"
