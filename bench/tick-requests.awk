# The wineserver requests of one idle tick, from Wine's server trace (WINEDEBUG=+server) of a run of the
# program: the thread that receives the most timer messages is the program's main thread, and its requests
# from its 11th timer message (start-up is over) to its last, over the timer messages in between, are the
# cost of a tick. Prints one line for `label`.
# Usage: awk -v label=LABEL -f tick-requests.awk TRACE
{ tid = substr($0, 1, index($0, ":") - 1); line[NR] = $0; who[NR] = tid }
/^[0-9a-f]+: get_message\(\) = 0 .*msg=00000113/ { timers[tid]++ }
END {
    for (t in timers) if (timers[t] > timers[main]) main = t
    for (i = 1; i <= NR; ++i) {
        if (who[i] != main) continue
        if (line[i] ~ /^[0-9a-f]+: [a-z_]+\(/ && line[i] !~ /^[0-9a-f]+: [a-z_]+\(\) = /) ++requests
        if (line[i] ~ /get_message\(\) = 0 .*msg=00000113/ && ++seen >= 11) {
            if (seen == 11) first = requests
            last = requests; ticks = seen - 11
        }
    }
    if (ticks < 10) { printf "%s: too few timer messages in the trace (%d)\n", label, ticks; exit 1 }
    printf "%s: %.2f wineserver requests per idle tick (%d requests over %d timer messages)\n", label,
           (last - first) / ticks, last - first, ticks
}
