#!/usr/bin/env bash
# Runs every benchmark of the recorder and prints two tables: the CPU share of each program beside
# the floor, a window whose 20 ms timer does nothing, measured side by side in the same minutes;
# then every other figure, with its target, whether it is met, and the command that produced it.
# Takes about five and a half minutes after the build. Needs strace and xtrace (scripts/setup.sh
# installs them).
#
#   bench/run_all.sh [--cpu] [BUILD_DIR]   (default: build-bench; configured and built when needed)
#
# --cpu runs only the side-by-side programs, without the timed sweeps' step counts, and prints
# only the first table: about 75 s.
#
# The long runs go first and side by side, each program on its own virtual X display and each
# recorder with its own simulator (the timed sweeps need minutes: 200 steps at 1324 ms take 265 s);
# the CPU-heavy micro benchmarks start only once the CPU windows are over. CPU shares and wake-ups
# are medians of six 10 s rounds. Syscalls (strace slows what it watches) and X requests (through
# the xtrace proxy) are taken afterwards, in runs of their own. Benchmarks report; they never fail
# a build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cpu_only=0
if [ "${1:-}" = --cpu ]; then
  cpu_only=1
  shift
fi
build=${1:-$root/build-bench}
here=$root/bench/timebase
. "$here/process_figures.sh"

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target kelvra kelvra-board-sim kelvra-bench-tick kelvra-bench-micro kelvra-bench-stamp \
  kelvra-bench-ticker kelvra-bench-bare-window kelvra-bench-at-once kelvra-helicorder kelvra-bench-helicorder-day \
  >/dev/null
for tool in strace xtrace; do
  command -v "$tool" >/dev/null || echo "$tool is missing (scripts/setup.sh installs it): its figures show as n/a" >&2
done

out=$(mktemp -d /tmp/kelvra-bench.XXXXXX)
window_s=90       # CPU window of each program side by side
rounds=9          # of it, each compared with the floor's round at the same time
steps=200         # Timer2 steps per timed mode
starts=5          # start-up samples
tick_runs=5
strace_s=20       # syscalls counted over
x_requests_s=10   # X requests watched over
micro_reps=5
screen="-screen 0 1280x1024x24"
began=$SECONDS

jobs_to_stop=()
trap 'kill "${jobs_to_stop[@]}" 2>/dev/null || true; wait 2>/dev/null || true' EXIT

# xvfb-run -a can hand the same display to two servers started together; pick free ones here.
display=98
next_display() {
  display=$((display + 1))
  while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
}

declare -A run_cmd
started() {  # name pid
  jobs_to_stop+=("$2")
  eval "pid_$1=$2"
}
# Each on a virtual X display of its own: name script output-dir arguments...
on_display() {
  local name=$1 script=$2
  shift 2
  run_cmd[$name]="xvfb-run bench/timebase/$script $build $out/$name $*"
  next_display
  xvfb-run -n "$display" -s "$screen" "$here/$script" "$build" "$out/$name" "$@" >"$out/$name.log" 2>&1 &
  started "$name" $!
}

echo "benchmarks running, results in $out" >&2
[ "$cpu_only" = 1 ] && steps=0
# All side-by-side programs count their CPU over the same windows, from once the last has settled.
export ROUNDS=$rounds
FIGURES_FROM=$(awk -v now="$(date +%s.%N)" 'BEGIN { printf "%.3f", now + 20 }')
export FIGURES_FROM
on_display m20 recorder_run.sh 20min "$window_s" "$steps"
on_display m5 recorder_run.sh 5min "$window_s" "$steps"
on_display m1 recorder_run.sh 1min "$window_s" "$steps"
on_display free recorder_run.sh free "$window_s" 0
on_display free_nodetect recorder_run.sh free "$window_s" 0 on off
on_display free_off recorder_run.sh free "$window_s" 0 off
on_display at_once at_once_run.sh "$window_s"
# The floor of any window that wakes every 20 ms, and one that also paints on every wake-up.
on_display floor bare_run.sh "$window_s" floor
on_display paint bare_run.sh "$window_s" paint
# The machine's own share of the jitter, over the same minute.
ticker_cmd="bench/timebase/ticker_run.sh $build $out/ticker $((window_s + 25))"
"$here/ticker_run.sh" "$build" "$out/ticker" $((window_s + 25)) >"$out/ticker.log" 2>&1 &
started ticker $!
wait "$pid_free" "$pid_free_nodetect" "$pid_free_off" "$pid_at_once" "$pid_m1" "$pid_ticker" "$pid_floor" \
  "$pid_paint" || true
unset FIGURES_FROM ROUNDS

if [ "$cpu_only" = 0 ]; then
# Syscalls of the free-running recorder and the bare window, side by side, away from the timing runs.
# The recorder's count starts after 12 s, once the archive has opened its day files (at its first
# write, 9 s in): steady running, not the one-time folder making.
syscalls_cmd="STRACE_SECONDS=$strace_s ROUNDS=1 xvfb-run bench/timebase/recorder_run.sh $build $out/free_syscalls free 12 0"
bare_syscalls_cmd="STRACE_SECONDS=$strace_s ROUNDS=1 xvfb-run bench/timebase/bare_run.sh $build $out/bare_syscalls 1 floor"
next_display
STRACE_SECONDS=$strace_s ROUNDS=1 xvfb-run -n "$display" -s "$screen" "$here/recorder_run.sh" "$build" \
  "$out/free_syscalls" free 12 0 >"$out/free_syscalls.log" 2>&1 &
pid_free_syscalls=$!
jobs_to_stop+=("$pid_free_syscalls")
next_display
STRACE_SECONDS=$strace_s ROUNDS=1 xvfb-run -n "$display" -s "$screen" "$here/bare_run.sh" "$build" \
  "$out/bare_syscalls" 1 floor >"$out/bare_syscalls.log" 2>&1 || true
wait "$pid_free_syscalls" || true

x_requests_cmd="xvfb-run bench/timebase/x_requests_run.sh $build $out/x_requests $x_requests_s"
next_display
xvfb-run -n "$display" -s "$screen" "$here/x_requests_run.sh" "$build" "$out/x_requests" "$x_requests_s" \
  >"$out/x_requests.log" 2>&1 || true

startup_cmd="xvfb-run bench/timebase/startup_run.sh $build $out/startup $starts"
next_display
xvfb-run -n "$display" -s "$screen" "$here/startup_run.sh" "$build" "$out/startup" "$starts" \
  >"$out/startup.txt" 2>"$out/startup.err" || true

tick_cmd="QT_QPA_PLATFORM=offscreen $build/bench/kelvra-bench-tick --runs $tick_runs"
QT_QPA_PLATFORM=offscreen "$build/bench/kelvra-bench-tick" --runs "$tick_runs" >"$out/tick.txt" 2>"$out/tick.err" || true

micro_cmd="$build/bench/kelvra-bench-micro --benchmark_repetitions=$micro_reps --benchmark_min_time=0.2"
"$build/bench/kelvra-bench-micro" --benchmark_repetitions="$micro_reps" --benchmark_min_time=0.2 \
  --benchmark_report_aggregates_only=true >"$out/micro.txt" 2>"$out/micro.err" || true

helicorder_cmd="bench/helicorder/run.sh $build"
"$root/bench/helicorder/run.sh" "$build" >"$out/helicorder.txt" 2>"$out/helicorder.err" || true

fi
wait "$pid_m5" "$pid_m20" || true
jobs_to_stop=()
elapsed=$((SECONDS - began))
# From here on a missing figure shows as n/a instead of ending the script.
set +e

# --- figures -----------------------------------------------------------------------------------

value_of() {  # file key
  [ -f "$1" ] && awk -v k="$2" '$1 == k || ($1 == "result" && $2 == k) { print $NF; exit }' "$1" || true
}
micro_ns() {  # benchmark name: median CPU time in ns
  [ -f "$out/micro.txt" ] && awk -v n="$1_median" '$1 == n {
      v = $4; u = $5
      if (u == "us") v *= 1000; else if (u == "ms") v *= 1000000
      printf "%.0f", v; exit }' "$out/micro.txt" || true
}

for source in free ticker; do
  awk -v skip=3 -v nominal_ms=20 -f "$here/request_period.awk" "$out/$source/sim.log" >"$out/$source/periods.txt" 2>/dev/null
  grep "^deviation" "$out/$source/periods.txt" 2>/dev/null | awk '{ print $2 }' | sort -g >"$out/$source/deviations.txt"
done
quantile() {  # file q: nearest rank
  awk -v q="$2" '{ v[NR] = $1 } END { if (NR) { r = int(q * NR); if (r < q * NR) r++; if (r < 1) r = 1; print v[r] } }' "$1"
}
for m in m1 m5 m20; do
  [ -f "$out/$m/kelvra.err" ] && awk -v steps="$steps" -f "$here/sweep_steps.awk" "$out/$m/kelvra.err" >"$out/$m/sweep.txt" || true
done
sort -g "$out/startup.txt" >"$out/startup.sorted" 2>/dev/null || true

rows=()
row() {  # figure value target verdict command
  rows+=("$1|${2:-n/a}|$3|$4|$5")
}
check() {  # value awk-condition-on-v -> yes/no/n/a
  [ -n "$1" ] || { echo "n/a"; return; }
  awk -v v="$1" "BEGIN { print (($2) ? \"yes\" : \"NO\") }"
}

# --- CPU side by side ----------------------------------------------------------------------------

rounds_of() { awk '$1 == "cpu_rounds" { for (i = 2; i <= NF; ++i) print $i }' "$out/$1/result" 2>/dev/null; }
# The median over the rounds of a round's CPU over the floor's in the same window: the machine's
# speed, which moves from round to round on a shared host, cancels out.
times_floor() {  # name
  paste <(rounds_of "$1") <(rounds_of floor) | awk 'NF == 2 && $2 > 0 { print $1 / $2 }' | median |
    xargs -r printf '%.2f'
}
cpu_rows=()
cpu_row() {  # name program target(on x floor, or -)
  local cpu ratio verdict=""
  cpu=$(value_of "$out/$1/result" cpu_percent)
  ratio=$(times_floor "$1")
  [ "$3" = - ] || verdict=$(check "$ratio" "v $3")
  cpu_rows+=("$2|${cpu:-n/a}|${ratio:-n/a}|$3|$verdict|$(value_of "$out/$1/result" wakeups_per_s)|$(value_of "$out/$1/result" all_wakeups_per_s)|${run_cmd[$1]}")
}
cpu_row floor "floor: bare window, 20 ms timer doing nothing" -
cpu_row paint "painting reference: bare window, 50 repaints/s" -
cpu_row at_once "KELVRA, board answering at once" "<= 2.5"
cpu_row free "KELVRA, simulator, free-running" "<= 2.5"
cpu_row m1 "KELVRA, simulator, \"１分\"" "<= 2.5"
cpu_row m5 "KELVRA, simulator, \"５分\"" "<= 2.5"
cpu_row m20 "KELVRA, simulator, \"20分\"" "<= 2.5"
cpu_row free_nodetect "KELVRA, simulator, free, --no-detect" -
cpu_row free_off "KELVRA, simulator, free, --no-archive" -
difference() {  # result-a result-b
  local a b
  a=$(value_of "$out/$1/result" cpu_percent) b=$(value_of "$out/$2/result" cpu_percent)
  [ -n "$a" ] && [ -n "$b" ] && awk -v a="$a" -v b="$b" 'BEGIN { printf "%+.2f", a - b }'
}
v=$(difference free free_nodetect)
cpu_rows+=("  detection on minus off (points)|${v:-n/a}||< 0.1|$(check "$v" 'v < 0.1')|||${run_cmd[free]}")
v=$(difference free free_off)
cpu_rows+=("  archive on minus off (points)|${v:-n/a}||< 0.1|$(check "$v" 'v < 0.1')|||${run_cmd[free]}")

if [ "$cpu_only" = 0 ]; then
  v=$(value_of "$out/tick.txt" tick_cpu_p50_us);  row "Tick CPU time, median (µs)" "$v" "-" "" "$tick_cmd"
  v=$(value_of "$out/tick.txt" tick_cpu_p99_us);  row "Tick CPU time, p99 (µs)" "$v" "< 150" "$(check "$v" 'v < 150')" "$tick_cmd"
  v=$(value_of "$out/tick.txt" tick_wall_p50_us); row "Tick wall time, median (µs)" "$v" "-" "" "$tick_cmd"
  v=$(value_of "$out/tick.txt" tick_wall_p99_us); row "Tick wall time, p99 (µs)" "$v" "< 150" "$(check "$v" 'v < 150')" "$tick_cmd"
  row "Ticks per window repaint, as watched" "$(value_of "$out/tick.txt" ticks_per_repaint)" "-" "" "$tick_cmd"
  row "plot_channel, fake window (ns)" "$(micro_ns BM_PlotChannel)" "-" "" "$micro_cmd"
  row "Timer1 tick, fake window (ns)" "$(micro_ns BM_Timer1TickNullView)" "-" "" "$micro_cmd"
  row "parseReading + voltsText (ns)" "$(micro_ns BM_ReplyConversion)" "-" "" "$micro_cmd"
  with=$(micro_ns BM_Timer1TickWithAssembly) without=$(micro_ns BM_Timer1TickNullView)
  v=$([ -n "$with" ] && [ -n "$without" ] && echo $((with - without)))
  row "Reply assembly per tick, with minus without (ns)" "$v" "-" "" "$micro_cmd"

  v=$(value_of "$out/free/periods.txt" mean_ms)
  row "Request period, mean (ms)" "$v" "20 ± 0.04" "$(check "$v" 'v >= 19.96 && v <= 20.04')" "${run_cmd[free]}"
  n=$(value_of "$out/free/periods.txt" periods)
  v=$([ -s "$out/free/deviations.txt" ] && quantile "$out/free/deviations.txt" 0.50)
  row "Request period deviation, p50 (ms)" "$v" "-" "" "${run_cmd[free]}"
  v=$([ -s "$out/free/deviations.txt" ] && quantile "$out/free/deviations.txt" 0.99)
  row "Request period deviation, p99 (ms)" "$v" "< 1.5" "$(check "$v" 'v < 1.5')" "${run_cmd[free]}"
  v=$([ -s "$out/ticker/deviations.txt" ] && quantile "$out/ticker/deviations.txt" 0.99)
  row "  same, plain 20 ms writer beside it (ms)" "$v" "reference" "" "$ticker_cmd"
  row "Request periods measured" "${n:-}" ">= 1000" "$(check "${n:-}" 'v >= 1000')" "${run_cmd[free]}"

  for m in m1:62:１分 m5:328:５分 m20:1324:20分; do
    IFS=: read -r name nominal caption <<<"$m"
    v=$(value_of "$out/$name/sweep.txt" mean_ms)
    s=$(value_of "$out/$name/sweep.txt" steps)
    [ "${s:-0}" -gt 0 ] || v=""
    row "Timer2 step, mean over ${s:-0} steps, \"$caption\" (ms)" "$v" "$nominal ± 1 %" \
      "$(check "$v" "v >= $nominal * 0.99 && v <= $nominal * 1.01 && ${s:-0} >= $steps")" "${run_cmd[$name]}"
  done

  v=$(value_of "$out/free_syscalls/result" syscalls_per_s)
  row "Syscalls, free-running, all threads (/s)" "$v" "<= 200" "$(check "$v" 'v <= 200')" "$syscalls_cmd"
  row "  same, floor window (/s)" "$(value_of "$out/bare_syscalls/result" syscalls_per_s)" "reference" "" "$bare_syscalls_cmd"
  v=$(value_of "$out/x_requests/result" flushes_per_s)
  row "Repaints reaching the screen (/s)" "$v" "5 ± 2 %" "$(check "$v" 'v >= 4.9 && v <= 5.1')" "$x_requests_cmd"
  v=$(value_of "$out/x_requests/result" puts_per_flush_max)
  row "X image puts per repaint, most" "$v" "<= 10" "$(check "$v" 'v <= 10')" "$x_requests_cmd"
  v=$(value_of "$out/x_requests/result" round_trips_per_flush)
  row "Waits for the X server per repaint" "$v" "0" "$(check "$v" 'v == 0')" "$x_requests_cmd"
  v=$(micro_ns BM_ArchiveMinute)
  v=$([ -n "$v" ] && awk -v ns="$v" 'BEGIN { printf "%.4f", 100 * ns / 60e9 }')
  row "Archive writer alone, CPU (% of a core)" "$v" "< 0.1" "$(check "$v" 'v < 0.1')" "$micro_cmd"
  v=$(awk '$1 == "archive_bytes" { b = $2 } $1 == "archive_seconds" { s = $2 }
           END { if (b && s) printf "%.2f", b / 4 / s * 86400 / 1e6 }' "$out/free/result" 2>/dev/null)
  row "Archive size per channel-day, default signal (MB)" "$v" "-" "" "${run_cmd[free]}"
  hwm=$(cat "$out"/{free,free_nodetect,free_off,m1,m5,m20}/result 2>/dev/null | awk '$1 == "vmhwm_kib" && $2 > m { m = $2 } END { if (m) printf "%.1f", m / 1024 }')
  row "Peak RSS, largest of the six recorders (MB)" "$hwm" "< 45" "$(check "$hwm" 'v < 45')" "${run_cmd[free]}"
  v=$([ -s "$out/startup.sorted" ] && quantile "$out/startup.sorted" 0.5 || true)
  row "First request after start, median of $(awk 'END { print NR }' "$out/startup.sorted" 2>/dev/null) (ms)" "$v" "< 300" "$(check "$v" 'v < 300')" "$startup_cmd"

  for page in utc_day_png:"UTC day, PNG" local_day_png:"local day, two files, PNG" utc_day_svg:"UTC day, SVG"; do
    IFS=: read -r key caption <<<"$page"
    v=$(value_of "$out/helicorder.txt" "${key}_wall_s_median")
    row "Helicorder, $caption, median (s)" "$v" "< 1" "$(check "$v" 'v < 1')" "$helicorder_cmd"
    v=$(value_of "$out/helicorder.txt" "${key}_peak_rss_mb_max")
    row "  same, peak RSS (MB)" "$v" "< 100" "$(check "$v" 'v < 100')" "$helicorder_cmd"
  done
fi

# --- tables --------------------------------------------------------------------------------------

declare -A cmd_number
commands=()
number_of() {  # command: sets n to its number in the list printed below the tables
  if [ -z "${cmd_number[$1]:-}" ]; then
    commands+=("$1")
    cmd_number[$1]=${#commands[@]}
  fi
  n=${cmd_number[$1]}
}
# Padded by display width, not bytes: some figures are written in Japanese, some targets with ±.
padded() {  # text width
  printf '%s%*s' "$1" $(($2 - $(printf '%s' "$1" | LC_ALL=C.UTF-8 wc -L))) ""
}

echo "CPU side by side: % of a core, median of $rounds rounds of $((window_s / rounds)) s, the same for all; x floor: median of each round's CPU / the floor's"
printf '%s %6s %8s  %-8s %-4s %8s %8s  %s\n' "$(padded Program 48)" "CPU %" "x floor" "Target" "Met" "wake/s" "all/s" "Cmd"
printf '%s\n' "$(printf '%.0s-' {1..102})"
for r in "${cpu_rows[@]}"; do
  IFS='|' read -r program cpu ratio target verdict wakeups all command <<<"$r"
  number_of "$command"
  printf '%s %6s %8s  %-8s %-4s %8s %8s  [%s]\n' "$(padded "$program" 48)" "$cpu" "$ratio" "$target" "$verdict" \
    "$wakeups" "$all" "$n"
done
echo

if [ "$cpu_only" = 0 ]; then
  printf '%s %12s  %s %-4s %s\n' "$(padded Figure 48)" "Value" "$(padded Target 16)" "Met" "Cmd"
  printf '%s\n' "$(printf '%.0s-' {1..90})"
  for r in "${rows[@]}"; do
    IFS='|' read -r figure value target verdict command <<<"$r"
    number_of "$command"
    printf '%s %12s  %s %-4s [%s]\n' "$(padded "$figure" 48)" "$value" "$(padded "$target" 16)" "$verdict" "$n"
  done
  echo
fi
for i in "${!commands[@]}"; do
  echo "[$((i + 1))] ${commands[$i]}"
done
echo
echo "Measured in ${elapsed} s on $(nproc) cores; raw output in $out"

# The event detector offline: one channel-day beside the loop that only makes its samples, same binary.
if [ "${cpu_only:-0}" = 0 ]; then
  cmake --build "$build" --target kelvra-bench-detector >/dev/null
  detector_cmd="$build/bench/kelvra-bench-detector --benchmark_repetitions=5 --benchmark_min_time=0.2"
  $detector_cmd --benchmark_report_aggregates_only=true >"$out/detector.txt" 2>"$out/detector.err"
  detector_ms() {  # benchmark name: median CPU time in ms
    awk -v n="$1_median" '$1 == n { v = $4; u = $5
        if (u == "us") v /= 1000; else if (u == "ns") v /= 1000000; else if (u == "s") v *= 1000
        printf "%.1f", v; exit }' "$out/detector.txt"
  }
  made=$(detector_ms BM_MakeChannelDay)
  detected=$(detector_ms BM_DetectChannelDay)
  figures() {  # awk expression of made (m) and detected (d)
    [ -n "$made" ] && [ -n "$detected" ] && awk -v m="$made" -v d="$detected" "BEGIN { printf \"%s\", $1 }" || echo n/a
  }
  printf '%s %12s\n' "$(padded "Event detector, one channel-day at 12.5 Hz" 48)" "Value"
  printf '%s\n' "$(printf '%.0s-' {1..62})"
  printf '%s %12s\n' "$(padded "CPU, detecting alone (ms)" 48)" "$(figures 'sprintf("%.1f", d - m)')"
  printf '%s %12s\n' "$(padded "  loop making the samples, reference (ms)" 48)" "${made:-n/a}"
  printf '%s %12s\n' "$(padded "  making and detecting / making alone" 48)" "$(figures 'sprintf("%.2f", d / m)')"
  printf '%s %12s\n' "$(padded "Four channels live, share of a core (%)" 48)" \
    "$(figures 'sprintf("%.5f", 4 * (d - m) / 86400000 * 100)')"
  echo "[$detector_cmd]"
fi
