#!/bin/bash
# The shell library that the tests, `make run`, `make demo` and `make bench` share: waiting for a
# condition, Windows paths, the numbers and names it reads from the C headers, the virtual displays and the
# screenshot of a settled display.
# No -e: each check's result goes to ok(), and the script goes on to check the rest.
set -uo pipefail
. "$(dirname "$0")/../../tools/lib.sh"
. "$KW_ROOT/tests/e2e/checks.sh" lib
work="$(mktemp -d)"
pids=()
cleanup() {
    [ "${#pids[@]}" -eq 0 ] || kill "${pids[@]}" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# wait_for: as soon as the condition holds, and no longer than its limit when it never does.
(sleep 0.3 && touch "$work/later") &
start=$EPOCHREALTIME
ok "wait_for: a file that appears" wait_for 5 test -f "$work/later"
took=$(awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN {printf "%d", (b - a) * 1000}')
ok "wait_for: returns soon after the file appears (took $took ms)" test "$took" -lt 1500
start=$SECONDS
wait_for 2 false
ok "wait_for: a condition that never holds fails" same "$?" 1
ok "wait_for: ... after its limit of 2 s (took $((SECONDS - start)) s)" \
    test "$((SECONDS - start))" -ge 1 -a "$((SECONDS - start))" -le 4

mkdir -p "$work/a folder"
ok "kw_winpath: drive Z:, backslashes, blanks kept" \
    same "$(kw_winpath "$work/a folder/../a folder/file.exe")" "Z:${work//\//\\}\\a folder\\file.exe"

# Wine refuses a relative prefix.
ok "kw_wine_env: a relative prefix made absolute, the test remote-access DLL chosen" \
    same "$(cd "$work" && kw_wine_env "a folder/prefix" n && echo "$WINEPREFIX|$WINEDLLOVERRIDES|$WINEARCH")" \
    "$work/a folder/prefix|mscoree,mshtml=;rasapi32=n|win32"

ok "kw_version: major.minor.revision" eval '[[ "$(kw_version)" =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]]'

# The exchange folder as the C side spells it, joined from its names, and where it lies in a prefix.
ok "kw_exchange: the folder" same "$(kw_exchange KWT_DIR)" 'C:\kwtest'
ok "kw_exchange: a file two names deep, its backslashes unescaped" same "$(kw_exchange KWT_HOST_DONE)" 'C:\kwtest\host\done'
ok "kw_exchange: a literal that is no path" same "$(kw_exchange KWT_AWAY_SUFFIX)" ".kwtest-away"
ok "kw_exchange: a name that is not defined fails" same "$(kw_exchange KWT_NONE 2>&1; echo "rc $?")" \
    "tests/e2e/win/exchange.h has no KWT_NONE
rc 1"
ok "kw_exchange_path: the Unix path in the prefix" \
    same "$(kw_exchange_path "$work/a folder/prefix" KWT_IDLE_READ)" "$work/a folder/prefix/drive_c/kwtest/out/idle-read"
ok "kw_exchange_path: a name that is no path fails" eval '! kw_exchange_path /p KWT_AWAY_SUFFIX 2>/dev/null'

# The README's table of measurements states the targets that the bench holds the program to.
table_target() {  # the last column of the README's table row that begins with $1
    grep -F "| $1" "$KW_ROOT/README.md" | head -n 1 | awk -F '|' '{gsub(/^ +| +$/, "", $(NF - 1)); print $(NF - 1)}'
}
ok "README: the drop-to-exit targets of bench/targets.h" \
    same "$(table_target "connection drop to the launched program's exit")" \
    "median ≤ $(kw_bench_target DROP_TO_EXIT_MEDIAN_MS) ms, worst ≤ $(kw_bench_target DROP_TO_EXIT_WORST_MS) ms"
ok "README: the launch's tolerance of bench/targets.h" \
    eval '[[ "$(table_target "launch after the connection came up")" == "delay + 1 s ± $(kw_bench_target LAUNCH_TOLERANCE_PERCENT) % "* ]]'
ok "kw_bench_target: a target that is not there fails" eval '! kw_bench_target NONE 2>/dev/null'

# The Wine set-up refuses what it does not know before it touches a prefix.
ok "kw_wine_fixture: an unknown option fails" \
    same "$(WINEPREFIX="$work/none" kw_wine_fixture /dev/null --fresh 2>&1; echo "rc $?")" \
    "kw_wine_fixture: unknown option --fresh
rc 2"
ok "kw_wine_fixture: ... and leaves no prefix" test ! -e "$work/none"

# Two displays started one after the other take two free numbers, and each listens when it returns.
ok "kw_start_xvfb: a first display" kw_start_xvfb "$work/xvfb1.log"
pids+=("$KW_XVFB_PID")
first="$DISPLAY"
ok "kw_start_xvfb: its socket is there" test -S "/tmp/.X11-unix/X${first#:}"
ok "kw_start_xvfb: a second display" kw_start_xvfb "$work/xvfb2.log"
pids+=("$KW_XVFB_PID")
ok "kw_start_xvfb: on another number ($first, then $DISPLAY)" test "$DISPLAY" != "$first"
ok "kw_screenshot: a picture of the whole settled display" kw_screenshot "$work/shot.png"
ok "kw_screenshot: 1024x768" same "$(identify -format '%wx%h' "$work/shot.png" 2>&1)" "1024x768"
finish
