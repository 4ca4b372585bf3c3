#!/usr/bin/env bash
# Runs every benchmark of the recorder and prints one table: figure, value, target, whether it is
# met, and the command that produced it. Takes about five and a half minutes after the build.
# Needs strace and xtrace (scripts/setup.sh installs them).
#
#   bench/run_all.sh [BUILD_DIR]      (default: build-bench; configured and built when needed)
#
# The long runs go first and side by side, each recorder with its own simulator on its own
# virtual X display (the timed sweeps need minutes: 200 steps at 1324 ms take 265 s); the
# CPU-heavy micro benchmarks start only once the timing and CPU windows of the free-running and
# "１分" recorders are over. CPU shares and wake-ups are medians of six 10 s rounds; the bare
# window beside the recorders measures the machine's floor in the same run. Syscalls (strace
# slows what it watches) and X requests (through the xtrace proxy) are taken afterwards, in runs
# of their own. Benchmarks report; they never fail a build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-bench}
here=$root/bench/timebase

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target kelvra kelvra-board-sim kelvra-bench-tick kelvra-bench-micro kelvra-bench-stamp \
  kelvra-bench-ticker kelvra-bench-bare-window kelvra-helicorder kelvra-bench-helicorder-day >/dev/null
for tool in strace xtrace; do
  command -v "$tool" >/dev/null || echo "$tool is missing (scripts/setup.sh installs it): its figures show as n/a" >&2
done

out=$(mktemp -d /tmp/kelvra-bench.XXXXXX)
window_s=60       # CPU window of each recorder
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
recorder() {  # name mode seconds steps
  local name=$1
  shift
  run_cmd[$name]="xvfb-run bench/timebase/recorder_run.sh $build $out/$name $*"
  next_display
  xvfb-run -n "$display" -s "$screen" "$here/recorder_run.sh" "$build" "$out/$name" "$@" \
    >"$out/$name.log" 2>&1 &
  jobs_to_stop+=($!)
  eval "pid_$name=$!"
}

echo "benchmarks running, results in $out" >&2
recorder m20 20min "$window_s" "$steps"
recorder m5 5min "$window_s" "$steps"
recorder m1 1min "$window_s" "$steps"
recorder free free "$window_s" 0
recorder free_off free "$window_s" 0 off
# The machine's own share of the jitter, over the same minute.
ticker_cmd="bench/timebase/ticker_run.sh $build $out/ticker $((window_s + 5))"
"$here/ticker_run.sh" "$build" "$out/ticker" $((window_s + 5)) >"$out/ticker.log" 2>&1 &
pid_ticker=$!
jobs_to_stop+=("$pid_ticker")
# And its floor for the CPU share of a window with a 20 ms timer.
bare_cmd="xvfb-run bench/timebase/bare_run.sh $build $out/bare $window_s"
next_display
xvfb-run -n "$display" -s "$screen" "$here/bare_run.sh" "$build" "$out/bare" "$window_s" >"$out/bare.log" 2>&1 &
pid_bare=$!
jobs_to_stop+=("$pid_bare")
wait "$pid_free" "$pid_free_off" "$pid_m1" "$pid_ticker" "$pid_bare" || true

# Syscalls of the free-running recorder and the bare window, side by side, away from the timing runs.
# The recorder's count starts after 12 s, once the archive has opened its day files (at its first
# write, 9 s in): steady running, not the one-time folder making.
syscalls_cmd="STRACE_SECONDS=$strace_s ROUNDS=1 xvfb-run bench/timebase/recorder_run.sh $build $out/free_syscalls free 12 0"
bare_syscalls_cmd="STRACE_SECONDS=$strace_s ROUNDS=1 xvfb-run bench/timebase/bare_run.sh $build $out/bare_syscalls 1"
next_display
STRACE_SECONDS=$strace_s ROUNDS=1 xvfb-run -n "$display" -s "$screen" "$here/recorder_run.sh" "$build" \
  "$out/free_syscalls" free 12 0 >"$out/free_syscalls.log" 2>&1 &
pid_free_syscalls=$!
jobs_to_stop+=("$pid_free_syscalls")
next_display
STRACE_SECONDS=$strace_s ROUNDS=1 xvfb-run -n "$display" -s "$screen" "$here/bare_run.sh" "$build" \
  "$out/bare_syscalls" 1 >"$out/bare_syscalls.log" 2>&1 || true
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

free_cpu=$(value_of "$out/free/result" cpu_percent)
bare_cpu=$(value_of "$out/bare/result" cpu_percent)
row "CPU, free-running (% of a core)" "$free_cpu" "< 1.0" "$(check "$free_cpu" 'v < 1.0')" \
  "${run_cmd[free]}"
row "  same, bare Qt window, 20 ms repaints (%)" "$bare_cpu" "reference" "" "$bare_cmd"
v=$([ -n "$free_cpu" ] && [ -n "$bare_cpu" ] && awk -v a="$free_cpu" -v b="$bare_cpu" 'BEGIN { if (b > 0) printf "%.2f", a / b }')
row "  ratio of the two" "$v" "<= 2.5" "$(check "$v" 'v <= 2.5')" "${run_cmd[free]}"
off_cpu=$(value_of "$out/free_off/result" cpu_percent)
row "  same, --no-archive, side by side (%)" "$off_cpu" "reference" "" "${run_cmd[free_off]}"
v=$([ -n "$free_cpu" ] && [ -n "$off_cpu" ] && awk -v a="$free_cpu" -v b="$off_cpu" 'BEGIN { printf "%.2f", a - b }')
row "  archive on minus off (% of a core)" "$v" "< 0.1" "$(check "$v" 'v < 0.1')" "${run_cmd[free]}"
v=$(value_of "$out/free/result" wakeups_per_s)
row "Main-thread wake-ups, free-running (/s)" "$v" "<= 65" "$(check "$v" 'v <= 65')" "${run_cmd[free]}"
row "  same, bare Qt window (/s)" "$(value_of "$out/bare/result" wakeups_per_s)" "reference" "" "$bare_cmd"
row "Wake-ups, all threads, free-running (/s)" "$(value_of "$out/free/result" all_wakeups_per_s)" "-" "" \
  "${run_cmd[free]}"
row "  same, bare Qt window (/s)" "$(value_of "$out/bare/result" all_wakeups_per_s)" "reference" "" "$bare_cmd"
v=$(value_of "$out/free_syscalls/result" syscalls_per_s)
row "Syscalls, free-running, all threads (/s)" "$v" "<= 200" "$(check "$v" 'v <= 200')" "$syscalls_cmd"
row "  same, bare Qt window (/s)" "$(value_of "$out/bare_syscalls/result" syscalls_per_s)" "reference" "" "$bare_syscalls_cmd"
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
v=$(value_of "$out/m1/result" cpu_percent)
row "CPU, \"１分\" mode (% of a core)" "$v" "< 1.0, <= free" \
  "$(check "$v" "v < 1.0 && v <= ${free_cpu:-0} + 0.05")" "${run_cmd[m1]}"
for m in m5:５分 m20:20分; do
  IFS=: read -r name caption <<<"$m"
  row "CPU, \"$caption\" mode (% of a core)" "$(value_of "$out/$name/result" cpu_percent)" "-" "" "${run_cmd[$name]}"
done
hwm=$(cat "$out"/{free,free_off,m1,m5,m20}/result 2>/dev/null | awk '$1 == "vmhwm_kib" && $2 > m { m = $2 } END { if (m) printf "%.1f", m / 1024 }')
row "Peak RSS, largest of the five (MB)" "$hwm" "< 45" "$(check "$hwm" 'v < 45')" "${run_cmd[free]}"
v=$([ -s "$out/startup.sorted" ] && quantile "$out/startup.sorted" 0.5 || true)
row "First request after start, median of $(awk 'END { print NR }' "$out/startup.sorted" 2>/dev/null) (ms)" "$v" "< 300" "$(check "$v" 'v < 300')" "$startup_cmd"

for page in utc_day_png:"UTC day, PNG" local_day_png:"local day, two files, PNG" utc_day_svg:"UTC day, SVG"; do
  IFS=: read -r key caption <<<"$page"
  v=$(value_of "$out/helicorder.txt" "${key}_wall_s_median")
  row "Helicorder, $caption, median (s)" "$v" "< 1" "$(check "$v" 'v < 1')" "$helicorder_cmd"
  v=$(value_of "$out/helicorder.txt" "${key}_peak_rss_mb_max")
  row "  same, peak RSS (MB)" "$v" "< 100" "$(check "$v" 'v < 100')" "$helicorder_cmd"
done

# --- table ---------------------------------------------------------------------------------------

declare -A cmd_number
commands=()
# Padded by display width, not bytes: some figures are written in Japanese, some targets with ±.
padded() {  # text width
  printf '%s%*s' "$1" $(($2 - $(printf '%s' "$1" | LC_ALL=C.UTF-8 wc -L))) ""
}
printf '%s %12s  %s %-4s %s\n' "$(padded Figure 48)" "Value" "$(padded Target 16)" "Met" "Cmd"
printf '%s\n' "$(printf '%.0s-' {1..90})"
for r in "${rows[@]}"; do
  IFS='|' read -r figure value target verdict command <<<"$r"
  if [ -z "${cmd_number[$command]:-}" ]; then
    commands+=("$command")
    cmd_number[$command]=${#commands[@]}
  fi
  printf '%s %12s  %s %-4s [%s]\n' "$(padded "$figure" 48)" "$value" "$(padded "$target" 16)" "$verdict" \
    "${cmd_number[$command]}"
done
echo
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
