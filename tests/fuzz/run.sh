#!/usr/bin/env bash
# Runs one fuzz target over its corpus, then on new inputs for the given seconds, and prints one line:
# the executions, the coverage (libFuzzer's cov: edges and ft: features) and what was found. New inputs
# and crashing ones stay in the work folder; the corpus in the repository is only read.
# Usage: run.sh <target> <corpus folder> <work folder> <seconds>
set -euo pipefail
target="$1"
corpus="$2"
work="$3"
seconds="$4"
name="$(basename "$target")"
name="${name#fuzz_}"

# The conversions must also meet strings far longer than a file name.
extra=()
if [ "$name" = utf ]; then
    extra=(-max_len=200000)
fi

mkdir -p "$work/new" "$work/crashes"
touch "$work/started"
log="$work/log.txt"
status=0
"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$work/crashes/" "${extra[@]}" "$work/new" "$corpus" >"$log" 2>&1 || status=$?

runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)"
last="$(grep -E '^#[0-9]+' "$log" | tail -n 1 || true)"
cov="$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")"
ft="$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")"
corp="$(sed -n 's/.* corp: \([0-9]*\).*/\1/p' <<<"$last")"
# A slow input is kept too, but only a crash, a leak, a timeout or running out of memory is a finding.
found="$(find "$work/crashes" -type f -newer "$work/started" ! -name 'slow-unit-*' | wc -l)"
printf '%-14s %10s runs in %ss  cov %-5s ft %-6s corpus %-5s findings %s\n' "$name" "${runs:-?}" "$seconds" \
    "${cov:-?}" "${ft:-?}" "${corp:-?}" "$found"
if [ "$status" -ne 0 ]; then
    echo "fuzz_$name failed (exit $status); its report, from $log:"
    grep -v -E '^#[0-9]+' "$log" | tail -n 60
    exit "$status"
fi
