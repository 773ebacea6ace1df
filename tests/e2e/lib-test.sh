#!/bin/bash
# The shell library that the tests, `make run`, `make demo` and `make bench` share: waiting for a
# condition, Windows paths, the virtual displays and the screenshot of a settled display.
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
