#!/usr/bin/env bash
# Time and memory of kelvra-helicorder drawing a full day (12.5 Hz, 1.08 million samples) of the
# simulator's signal, written into a scratch archive with libmseed. Prints "key value" lines:
#   bench/helicorder/run.sh BUILD_DIR [RUNS]
# The local day is drawn in Asia/Tokyo, so that it is read from two UTC day files.
set -euo pipefail
build=$1 runs=${2:-9}
out=$(mktemp -d /tmp/kelvra-bench-helicorder.XXXXXX)
trap 'rm -rf "$out"' EXIT

"$build/bench/kelvra-bench-helicorder-day" "$out/archive" 2026-12-06 2

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
measure() {  # name, then the arguments after --archive
  local name=$1
  shift
  for _ in $(seq "$runs"); do
    /usr/bin/time -f '%e %M' -o "$out/time" "$build/kelvra-helicorder" --archive "$out/archive" "$@"
    cat "$out/time"
  done >"$out/$name.runs"
  echo "${name}_wall_s_median $(awk '{ print $1 }' "$out/$name.runs" | median)"
  echo "${name}_peak_rss_mb_max $(awk '$2 > m { m = $2 } END { printf "%.1f", m / 1024 }' "$out/$name.runs")"
}
measure utc_day_png --day 2026-12-06 --utc -o "$out/day.png"
TZ=Asia/Tokyo measure local_day_png --day 2026-12-07 --local -o "$out/local.png"
measure utc_day_svg --day 2026-12-06 --utc -o "$out/day.svg"
echo "runs $runs"
