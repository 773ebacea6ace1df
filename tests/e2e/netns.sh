#!/bin/bash
# A Wine session of its own in a network namespace of its own, so that the program sees the tun devices
# that its caller makes as a VPN program would, and nothing of the host's. A host loop carries out what
# the driver asks for (kwt::Host: tun devices up, down and away; a screenshot). The command runs inside,
# with the session's Wine environment; it may be a function of tools/lib.sh (kw_run_driver).
# Usage: netns.sh <fixture state dir> <tun_hold> <command> [arguments]
set -euo pipefail
. "$(dirname "$0")/../../tools/lib.sh"
state="$1" tunhold="$2"

if [ "${KW_IN_NETNS:-}" != 1 ]; then
    [ -f "$state/display" ] || { echo "the e2e fixture is not set up (run setup.sh first)"; exit 1; }
    # As root a namespace of its own; otherwise as root of a user namespace of its own.
    if [ "$(id -u)" -eq 0 ]; then
        exec env KW_IN_NETNS=1 unshare -n bash "$0" "$@"
    fi
    exec env KW_IN_NETNS=1 unshare -rn bash "$0" "$@"
fi

shift 2
ip link set lo up
session="$state/netns"
export KW_SESSION="$session"
rm -rf "$session"
mkdir -p "$session"
# The fixture's wineserver runs outside this namespace and would list the host's interfaces: a copy of its
# prefix gets a server of its own here.
cp -a "$state/wineprefix" "$session/wineprefix"
kw_wine_env "$session/wineprefix" n
# A native iphlpapi.dll first, as Windows searches for a DLL that is not a known one: a planted copy would
# then be taken wherever the program's search reaches it.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;iphlpapi=n,b"
request="$(kw_exchange_path "$WINEPREFIX" KWT_HOST_REQUEST)"
answer="$(kw_exchange_path "$WINEPREFIX" KWT_HOST_DONE)"
mkdir -p "$(dirname "$request")"

cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    [ -z "${KW_XVFB_PID:-}" ] || kill "$KW_XVFB_PID" 2>/dev/null || true
    [ -z "${loop:-}" ] || kill "$loop" 2>/dev/null || true
    for pid in "$session"/tun-*.pid; do
        [ -f "$pid" ] && kill "$(cat "$pid")" 2>/dev/null || true
    done
}
trap cleanup EXIT

kw_wine_fixture "$session/wine.log" --xvfb "$session/xvfb.log" --server "$session/wineserver.log" ||
    { cat "$session/wine.log"; exit 1; }

device_gone() { ! ip link show "$1" >/dev/null 2>&1; }
ready() { grep -q ready "$1" 2>/dev/null; }
carry_out() {
    local command="$1" name="$2"
    case "$command" in
        tun)
            setsid "$tunhold" "$name" >"$session/tun-$name.out" 2>&1 </dev/null &
            echo $! >"$session/tun-$name.pid"
            wait_for 10 ready "$session/tun-$name.out" && ip link set "$name" up
            ;;
        up | down) ip link set "$name" "$command" ;;
        remove)
            kill "$(cat "$session/tun-$name.pid")" && rm -f "$session/tun-$name.pid"
            wait_for 10 device_gone "$name"
            ;;
        shot) kw_screenshot "$name" ;;
        *) echo "unknown request: $command"; return 1 ;;
    esac
}
# Each request is "<number> <command> <name>"; the answer "<number> <exit code>".
host_loop() {
    local last="" number command name rc
    while :; do
        if [ -f "$request" ] && read -r number command name <"$request" && [ "$number" != "$last" ]; then
            rc=0
            carry_out "$command" "$name" >>"$session/host.log" 2>&1 || rc=$?
            echo "$number $rc" >"$answer.new"
            mv "$answer.new" "$answer"
            last="$number"
        fi
        sleep 0.02
    done
}
host_loop &
loop=$!

status=0
"$@" || status=$?
if [ "$status" -ne 0 ] && [ -s "$session/host.log" ]; then
    echo "what the host did:"
    cat "$session/host.log"
fi
exit "$status"
