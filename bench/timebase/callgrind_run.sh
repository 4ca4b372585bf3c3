#!/usr/bin/env bash
# Where the instructions go: one program under valgrind's callgrind, counted over SECONDS of steady
# running (after it settled), on the current X display or offscreen:
#   callgrind_run.sh BUILD_DIR OUT_DIR SECONDS PROGRAM [PLATFORM]
# PROGRAM is recorder (kelvra against the board simulator, archive on), at-once
# (kelvra-bench-at-once), floor or paint (kelvra-bench-bare-window). PLATFORM is xcb (the default)
# or offscreen. Counting starts after SETTLE seconds (default 30: the readings' labels have taken
# their pictures of a station at rest). OUT_DIR gets callgrind.out.steady, tree.txt and groups
# (instructions per 20 ms tick by function group, see callgrind_groups.awk). Instruction counts
# hold when the machine is busy; under valgrind the program runs some 20 times slower, still
# within its 20 ms ticks.
set -euo pipefail
build=$1 out=$2 seconds=$3 program=$4 platform=${5:-xcb}
settle=${SETTLE:-30}
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$out"
rm -f "$out"/callgrind.out*
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; wait 2>/dev/null || true' EXIT

case $program in
  recorder)
    "$build/kelvra-board-sim" --link "$out/link" --seed 1 --quiet &
    pids+=($!)
    for _ in $(seq 100); do [ -e "$out/link" ] && break; sleep 0.05; done
    command=("$build/kelvra" --port "$out/link" --archive "$out/archive") ;;
  at-once) command=("$build/bench/kelvra-bench-at-once" "$out/archive") ;;
  floor) command=("$build/bench/kelvra-bench-bare-window") ;;
  paint) command=("$build/bench/kelvra-bench-bare-window" --paint) ;;
  *) echo "unknown program $program" >&2; exit 2 ;;
esac

TZ=${TZ:-:/etc/localtime} QT_XCB_NO_MITSHM=1 QT_QPA_PLATFORM=$platform XDG_DATA_HOME="$out/data" \
  valgrind --tool=callgrind --instr-atstart=no --callgrind-out-file="$out/callgrind.out" \
  "${command[@]}" 2>"$out/valgrind.err" &
program_pid=$!
pids+=("$program_pid")
sleep "$settle"
callgrind_control -i on "$program_pid" >/dev/null
sleep "$seconds"
callgrind_control -d "$program_pid" >/dev/null
kill "$program_pid"
wait "$program_pid" 2>/dev/null || true
# The dump asked for above; the one at exit (instrumentation still on) is not wanted.
dump=$(ls "$out"/callgrind.out.* 2>/dev/null | head -n 1)
[ -n "$dump" ] || { echo "no callgrind dump in $out" >&2; exit 1; }
mv "$dump" "$out/callgrind.out.steady"
callgrind_annotate --tree=calling --inclusive=yes --threshold=100 "$out/callgrind.out.steady" >"$out/tree.txt"
awk -f "$here/callgrind_groups.awk" "$out/tree.txt" >"$out/groups"
