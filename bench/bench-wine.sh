#!/bin/bash
# Timings of the real program under Wine, and what it weighs. Not a test: prints figures to compare with
# the targets of bench/targets.h (drop-to-exit, and the launch within start delay + 1 s), the program's
# handles and private bytes over 60 irregular connection cycles (flat when nothing leaks), the wineserver
# requests of an idle tick, and the CPU time of the program and of the wineserver over 60 s of idling with
# the window hidden; and for a chosen network adapter (a tun device in a network namespace of its own) the
# time from its going down to the program's end and the requests of an idle tick. Given an earlier build,
# it measures that build's latency and idle cost in the same run and compares them.
# Usage: bench/bench-wine.sh <cross build dir> <tun_hold of the host build> [cycles (default 20)]
#                            [delay s (default 2)] [an earlier build's kopplungswacht.exe]
# Needs the cross build (program and tests/e2e/win) to be built.
# No -e: a measurement that fails is reported and the others still run; the exit status says if any failed.
set -uo pipefail
. "$(dirname "$0")/../tools/lib.sh"
root="$KW_ROOT"
[ $# -ge 2 ] || {
    echo "usage: bench-wine.sh <cross build dir> <tun_hold> [cycles] [delay s] [earlier kopplungswacht.exe]"
    exit 2
}
win="$1"
tunhold="$2"
cycles="${3:-20}"
delay="${4:-2}"
baseline="${5:-}"
idle=60
exe="$win/src/platform/win32/kopplungswacht.exe"
tests="$win/tests/e2e/win"
state="$win/bench-wine"
kwbench="$tests/kwbench.exe"
for f in "$exe" "$kwbench" "$tests/kwchild.exe" "$tests/rasapi32.dll" "$tunhold" ${baseline:+"$baseline"}; do
    [ -f "$f" ] || { echo "missing $f: build $win first"; exit 1; }
done

if [ -n "${KW_IN_VM:-}" ]; then
    echo "Measured in an emulated x86 machine (tools/vm/): CPU work runs several times slower than on a PC,"
    echo "the clock is honest. Compare builds only as ratios within this run."
fi
echo "== the exe"
stripped="$(mktemp)"
i686-w64-mingw32-strip -o "$stripped" "$exe"
echo "size: $(stat -c %s "$exe") bytes as built, $(stat -c %s "$stripped") bytes stripped"
rm -f "$stripped"
echo "imported DLLs: $(i686-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print $3}' | sort | tr '\n' ' ')"

bash "$root/tests/e2e/setup.sh" "$state" "$tests" || exit 1
status=0

# Connection cycles of one build; its summary line ("summary: drop-median ...") goes to $state/latency-$2.
latency() {
    local program="$1" name="$2" label="$3"
    echo "== $label: $cycles connection cycles under Wine (start delay $delay s)"
    KW_E2E_TIMEOUT=$((cycles * (delay + 8) + 60)) bash "$root/tests/e2e/run.sh" "$state" "$kwbench" bench \
        "$program" "$cycles" "$delay" | tee "$state/latency-$name.log"
    [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
    grep '^summary:' "$state/latency-$name.log" | tail -n 1 >"$state/latency-$name"
}

latency "$exe" this "this build"
median_target="$(kw_bench_target DROP_TO_EXIT_MEDIAN_MS)" worst_target="$(kw_bench_target DROP_TO_EXIT_WORST_MS)"
awk -v median="$median_target" -v worst="$worst_target" '
    NF >= 9 {
        printf "drop-to-exit against its targets: median %.1f ms (<= %d: %s), worst %.1f ms (<= %d: %s)\n",
               $3, median, $3 <= median ? "met" : "missed", $5, worst, $5 <= worst ? "met" : "missed"
    }' "$state/latency-this"
if [ -n "$baseline" ]; then
    latency "$baseline" earlier "earlier build"
    # The goal of waking on the service's announcements: a median drop-to-exit at most a quarter of the
    # earlier build's, the worst at most a third.
    echo "== latency against the earlier build"
    if [ ! -s "$state/latency-this" ] || [ ! -s "$state/latency-earlier" ]; then
        echo "no summary from one of the builds: no comparison"
    fi
    paste -d ' ' "$state/latency-this" "$state/latency-earlier" | awk '
        NF < 18 { next }
        function line(what, now, before, goal) {
            printf "%-28s this build %6.1f ms, earlier %6.1f ms: %3.0f%%", what, now, before, 100 * now / before
            if (goal) printf " (goal <= %.0f%%: %s)", 100 * goal, now <= goal * before ? "met" : "missed"
            printf "\n"
        }
        {
            line("drop-to-exit, median:", $3, $12, 1 / 4)
            line("drop-to-exit, worst:", $5, $14, 1 / 3)
            line("first count, median:", $7, $16, 0)
            line("first count, worst:", $9, $18, 0)
        }'
fi

# ---- flapping: the connection goes up and down irregularly, with two programs on the list ----
# The test rasapi32.dll counts the program's handles and reads its private bytes from inside (Wine's
# GetProcessHandleCount answers 0) after cycle 5 and at the end. Flat: the same handles, and private
# bytes within 64 KiB.
flap_cycles=60
echo "== flapping: $flap_cycles irregular connection cycles, two programs on the list (start delay 1 s)"
KW_E2E_TIMEOUT=$((flap_cycles * 8 + 60)) bash "$root/tests/e2e/run.sh" "$state" "$kwbench" flap "$exe" \
    "$flap_cycles" | tee "$state/flap.log"
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1
grep '^flap-summary:' "$state/flap.log" | tail -n 1 | awk '
    NF == 7 {
        flat = $3 == $4 && $6 - $7 <= 65536 && $7 - $6 <= 65536
        printf "flapping: handles %d -> %d, private bytes %d -> %d (%+d): %s\n", $3, $4, $6, $7, $7 - $6,
               flat ? "flat" : "GROWING"
        exit !flat
    }' || status=1

# CPU seconds (user + system) of a process so far, from /proc.
cpu_seconds() {
    local stat
    stat="$(cat "/proc/$1/stat" 2>/dev/null)" || { echo "?"; return; }
    stat="${stat##*) }"  # the name in parentheses may hold blanks
    # shellcheck disable=SC2086
    set -- $stat
    echo "${12} ${13} $(getconf CLK_TCK)" | awk '{printf "%.2f", ($1 + $2) / $3}'
}

# The processes of this Wine prefix (by their environment) whose command line matches; never those of
# another prefix, such as a test run beside this one.
prefix_pid() {
    local dir
    for dir in /proc/[0-9]*; do
        tr '\0' '\n' 2>/dev/null <"$dir/environ" | grep -qxF "WINEPREFIX=$prefix" || continue
        if [ "$1" = wineserver ]; then
            grep -q '^wineserver' "$dir/comm" 2>/dev/null && { echo "${dir#/proc/}"; return; }
        else
            tr '\0' ' ' 2>/dev/null <"$dir/cmdline" | grep -qiF "$1" || continue
            tr '\0' ' ' 2>/dev/null <"$dir/cmdline" | grep -qiF kwbench.exe && continue
            echo "${dir#/proc/}"
            return
        fi
    done
}

# Idle cost of one build: the program runs with no connection and its window hidden while kwbench.exe
# sleeps; the CPU time of the program and of the wineserver is read at the markers kwbench.exe writes.
# The shared fixture (display, prefix, wineserver) stays up from the connection cycles above.
idle_cost() {
    local program="$1" label="$2" name runner pid server p0 s0 t0 p1 s1 t1
    name="$(basename "$program")"
    rm -f "$idle_begin" "$idle_end" "$idle_read"
    # Wine's own rasapi32, as on a machine without dial-up: the test DLL would read and write files on
    # every count, work of the wineserver that is not the program's.
    (
        kw_fixture_env "$state"
        kw_wine_env "$WINEPREFIX" b
        timeout -k 5 $((idle + 60)) wine "$kwbench" idle "$(kw_winpath "$program")" "$idle" </dev/null
    ) &
    runner=$!
    wait_for 30 test -f "$idle_begin"
    pid="$(prefix_pid "$name")"
    server="$(prefix_pid wineserver)"
    if [ ! -f "$idle_begin" ] || [ -z "$pid" ] || [ -z "$server" ]; then
        echo "$label: could not find the idling program (pid '${pid}') or the wineserver (pid '${server}')"
        wait "$runner"
        return 1
    fi
    p0="$(cpu_seconds "$pid")"; s0="$(cpu_seconds "$server")"; t0="$(date +%s.%N)"
    wait_for "$((idle + 30))" test -f "$idle_end"
    p1="$(cpu_seconds "$pid")"; s1="$(cpu_seconds "$server")"; t1="$(date +%s.%N)"
    : >"$idle_read"
    wait "$runner" || return 1
    idle_total="$(echo "$p0 $p1 $s0 $s1 $t0 $t1" | awk '{printf "%.2f", ($2 - $1) + ($4 - $3)}')"
    echo "$p0 $p1 $s0 $s1 $t0 $t1" | awk -v label="$label" '{
        p = $2 - $1; s = $4 - $3; t = $6 - $5
        printf "%s: %.0f s idle: program %.2f s CPU, wineserver %.2f s, together %.2f s (%.2f%% of a core)\n",
               label, t, p, s, p + s, 100 * (p + s) / t }'
}

# ---- wineserver requests per idle tick ----
# Wine's server trace of a 10 s idle run (no connection, window hidden, Wine's own rasapi32) goes to the
# shared wineserver's log. The thread that receives the timer messages is the program's main thread; its
# requests from its 11th timer message (start-up is over) to its last, over the timer messages in between,
# are the cost of one tick.
idle_requests() {
    local program="$1" label="$2" log="$state/wineserver.log" from runner
    rm -f "$idle_begin" "$idle_end" "$idle_read"
    from="$(($(stat -c %s "$log") + 1))"
    (
        kw_fixture_env "$state"
        kw_wine_env "$WINEPREFIX" b
        export WINEDEBUG=+server
        # Not /dev/null: Wine traces nothing for a process whose error output goes there.
        timeout -k 5 70 wine "$kwbench" idle "$(kw_winpath "$program")" 10 </dev/null \
            >"$state/idle-requests.log" 2>&1
    ) &
    runner=$!
    wait_for 60 test -f "$idle_end"
    : >"$idle_read"
    wait "$runner" || { echo "$label: the idle run failed"; return 1; }
    tail -c +"$from" "$log" | awk -v label="$label" -f "$root/bench/tick-requests.awk"
}

# Not exported: the commands of this script must not pass for processes of the prefix.
prefix="$(kw_fixture_env "$state" && echo "$WINEPREFIX")"
# The markers of kwbench.exe's idle area.
idle_begin="$(kw_exchange_path "$prefix" KWT_IDLE_BEGIN)"
idle_end="$(kw_exchange_path "$prefix" KWT_IDLE_END)"
idle_read="$(kw_exchange_path "$prefix" KWT_IDLE_READ)"
echo "== wineserver requests per idle tick (10 s, no connection, window hidden)"
if [ -n "$baseline" ]; then
    idle_requests "$baseline" "earlier build" || status=1
fi
idle_requests "$exe" "this build" || status=1
echo "== CPU time while idling ($idle s, no connection, window hidden)"
before=""
if [ -n "$baseline" ]; then
    idle_cost "$baseline" "earlier build" && before="$idle_total" || status=1
fi
if ! idle_cost "$exe" "this build"; then
    status=1
elif [ -n "$before" ]; then
    echo "$idle_total $before" | awk '$2 > 0 {printf "this build idles at %.0f%% of the earlier build'"'"'s cost\n", 100 * $1 / $2}'
fi

bash "$root/tests/e2e/netns.sh" "$state" "$tunhold" bash "$root/bench/bench-adapter.sh" "$kwbench" "$exe" 12 ||
    status=1

bash "$root/tests/e2e/teardown.sh" "$state"
exit "$status"
