# Request periods from the board simulator's byte log ("seconds.micros hex 'c'", one byte a line).
# Prints the count, the mean period, then one deviation from the nominal period per line, in ms:
#   awk -v skip=SECONDS -v nominal_ms=20 -f request_period.awk sim.log
# The first SKIP seconds after the first request are left out: start-up is timed on its own.
$2 ~ /^3[0-3]$/ {
    t = $1 + 0
    if (first == "") first = t
    if (t < first + skip) next
    if (last != "") {
        period = (t - last) * 1000
        deviation[n++] = period < nominal_ms ? nominal_ms - period : period - nominal_ms
        sum += period
    }
    last = t
}
END {
    printf "periods %d\n", n
    printf "mean_ms %.4f\n", n ? sum / n : 0
    for (i = 0; i < n; i++) printf "deviation %.4f\n", deviation[i]
}
