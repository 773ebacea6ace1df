#!/usr/bin/env bash
# Instructions of one idle tick of the connection watcher (callgrind), for lists of 0, 5 and 10 entries,
# and how many labels those ticks wrote. Only the program's own code is counted: the second toggle stops
# the count inside the test doubles of the window and the dial-up service. The difference between 2000
# and 1000 ticks leaves out what happens once (the first tick's allocations).
set -euo pipefail
host="$1"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

# Inclusive instructions of Timer1_Timer over N ticks; the program's summary line goes to $out/run.
tick_cost() {
    valgrind --tool=callgrind --callgrind-out-file="$out/cg" \
        --toggle-collect='kw::Form1::Timer1_Timer()' --toggle-collect='kw::test::Fake*' \
        "$host/bench/idle_tick" "$1" "$2" >"$out/run" 2>/dev/null
    callgrind_annotate --inclusive=yes "$out/cg" 2>/dev/null |
        awk '/kw::Form1::Timer1_Timer\(\)/ {gsub(",", "", $1); print $1; exit}'
}

echo "Instructions per idle tick (callgrind, the program's own code, 2000 ticks less 1000):"
for entries in 0 5 10; do
    once="$(tick_cost "$entries" 1000)"
    twice="$(tick_cost "$entries" 2000)"
    echo "  $entries entries: $(((twice - once) / 1000)) ($(sed 's/.*ticks, //' "$out/run") in 2000 ticks)"
done
