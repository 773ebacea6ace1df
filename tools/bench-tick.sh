#!/usr/bin/env bash
# Instructions of one idle tick of the connection watcher (callgrind), for lists of 0, 5 and 10 entries.
set -euo pipefail
host=$1
ticks=1000
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
echo "Instructions per idle tick (callgrind, $ticks ticks each):"
for entries in 0 5 10; do
    valgrind --tool=callgrind --callgrind-out-file="$out/cg.$entries" \
        --toggle-collect='kw::Form1::Timer1_Timer()' \
        "$host/bench/idle_tick" "$entries" "$ticks" >/dev/null 2>&1
    total=$(callgrind_annotate "$out/cg.$entries" 2>/dev/null | awk '/PROGRAM TOTALS/ {gsub(",", "", $1); print $1; exit}')
    echo "  $entries entries: $((total / ticks))"
done
