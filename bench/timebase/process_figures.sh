# Sourced by the run scripts: what a running process costs, sampled from /proc and strace.
#   process_figures PID SECONDS ROUNDS STRACE_SECONDS >> result
# CPU: on-CPU time of all its threads (schedstat, in ns) over ROUNDS back-to-back windows of
# SECONDS/ROUNDS, the median of them as a share of one core. Wake-ups: the main thread's voluntary
# context switches (each is a sleep ended by a wake-up), median per second over the same windows,
# and the same summed over all its threads.
# Syscalls: every thread's, counted by strace -c -f over STRACE_SECONDS afterwards (strace slows
# the process, so this comes after the CPU windows; 0 skips it).
# With FIGURES_FROM set (seconds since the epoch, as date +%s.%N gives), the first window starts
# then and every window ends on the same schedule: programs measured side by side share their
# windows, and a round's ratio between them holds when the machine's speed changes from round to
# round.

cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%.0f", s }'; }
wakeups() { awk '/^voluntary_ctxt_switches/ { print $2 }' /proc/"$1"/task/"$1"/status; }
all_wakeups() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/ { s += $2 } END { print s + 0 }'; }
sleep_until() {  # seconds since the epoch
  local left
  left=$(awk -v t="$1" -v now="$(date +%s.%N)" 'BEGIN { d = t - now; printf "%.3f", (d > 0 ? d : 0) }')
  sleep "$left"
}
median() { sort -g | awk '{ v[NR] = $1 } END { if (NR) print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

process_figures() {
  local pid=$1 seconds=$2 rounds=$3 strace_s=$4
  local window cpu_list="" wake_list="" all_list="" c0 w0 a0 t0 c1 w1 a1 t1 took
  window=$(awk -v s="$seconds" -v r="$rounds" 'BEGIN { printf "%.3f", s / r }')
  local from=${FIGURES_FROM:-$(date +%s.%N)}
  sleep_until "$from"
  t0=$(date +%s.%N) c0=$(cpu_ns "$pid") w0=$(wakeups "$pid") a0=$(all_wakeups "$pid")
  for round in $(seq "$rounds"); do
    sleep_until "$(awk -v f="$from" -v w="$window" -v n="$round" 'BEGIN { printf "%.3f", f + w * n }')"
    t1=$(date +%s.%N) c1=$(cpu_ns "$pid") w1=$(wakeups "$pid") a1=$(all_wakeups "$pid")
    took=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.6f", b - a }')
    cpu_list+="$(awk -v a="$c0" -v b="$c1" -v s="$took" 'BEGIN { printf "%.3f", 100 * (b - a) / 1e9 / s }') "
    wake_list+="$(awk -v a="$w0" -v b="$w1" -v s="$took" 'BEGIN { printf "%.1f", (b - a) / s }') "
    all_list+="$(awk -v a="$a0" -v b="$a1" -v s="$took" 'BEGIN { printf "%.1f", (b - a) / s }') "
    t0=$t1 c0=$c1 w0=$w1 a0=$a1
  done
  echo "cpu_percent $(tr ' ' '\n' <<<"$cpu_list" | grep . | median | xargs -r printf '%.2f')"
  echo "cpu_rounds $cpu_list"
  echo "wakeups_per_s $(tr ' ' '\n' <<<"$wake_list" | grep . | median | xargs -r printf '%.1f')"
  echo "all_wakeups_per_s $(tr ' ' '\n' <<<"$all_list" | grep . | median | xargs -r printf '%.1f')"
  if [ "$strace_s" -gt 0 ] && command -v strace >/dev/null; then
    local counts
    counts=$(mktemp)
    timeout -s INT "$strace_s" strace -c -f -p "$pid" -o "$counts" 2>/dev/null || true
    awk -v s="$strace_s" '$NF == "total" { printf "syscalls_per_s %.1f\n", $4 / s }' "$counts"
    rm -f "$counts"
  fi
}
