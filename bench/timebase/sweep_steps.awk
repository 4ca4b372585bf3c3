# Mean period of the sweep steps that the recorder reports with QT_LOGGING_RULES="kelvra.sweep.debug=true",
# one line per step: "kelvra.sweep: step <GP1_count> at <ms since start>". Takes the first STEPS+1 lines:
#   awk -v steps=200 -f sweep_steps.awk kelvra.err
match($0, /kelvra\.sweep: step [0-9.]+ at [0-9]+/) {
    n = split(substr($0, RSTART, RLENGTH), field, " ")
    at = field[n] + 0
    if (count == 0) first = at
    if (count <= steps) { last = at; count++ }
}
END {
    printf "steps %d\n", (count > 0 ? count - 1 : 0)
    printf "mean_ms %.3f\n", (count > 1 ? (last - first) / (count - 1) : 0)
}
