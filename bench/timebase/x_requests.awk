# Reads an xtrace log taken with --relative-timestamps and prints, per flush of the window to the
# screen, the image puts and the round trips it took. A flush is a burst of requests: the window
# sends nothing between its repaints, 200 ms apart, so a pause of more than `gap` seconds ends one.
#   awk -v gap=0.05 -f x_requests.awk LOG
function finish() {
  if (!requests) return
  flushes++
  puts[flushes] = n_puts
  trips += n_trips
  requests = n_puts = n_trips = 0
}
$2 ~ /^[0-9]+:<:/ {
  if (requests && $1 - last > gap) finish()
  last = $1
  if (!first_time) first_time = $1
  requests++
  if ($0 ~ /PutImage/) n_puts++
  # GetInputFocus is the request Qt uses to wait for the server.
  if ($0 ~ /GetInputFocus/) n_trips++
}
END {
  finish()
  if (!flushes) exit
  n = flushes
  for (i = 1; i <= n; i++) {
    for (j = i; j > 1 && sorted[j - 1] > puts[i]; j--) sorted[j] = sorted[j - 1]
    sorted[j] = puts[i]
  }
  printf "flushes_per_s %.2f\n", (flushes - 1) / (last - first_time)
  printf "puts_per_flush %s\n", sorted[int((n + 1) / 2)]
  printf "puts_per_flush_max %s\n", sorted[n]
  printf "round_trips_per_flush %.2f\n", trips / flushes
}
