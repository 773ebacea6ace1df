#!/bin/bash
# The figures of a chosen network adapter, run inside tests/e2e/netns.sh (a Wine session in a network
# namespace of its own): the time from a tun device going down to the launched program's end, and the
# wineserver requests of an idle tick with that adapter chosen.
# Usage: netns.sh <fixture state> <tun_hold> bash bench/bench-adapter.sh <kwbench.exe> <kopplungswacht.exe> [drops]
set -uo pipefail
. "$(dirname "$0")/../tools/lib.sh"
kwbench="$1" exe="$2" drops="${3:-12}"
status=0

echo "== a chosen network adapter: $drops drops of a tun device under Wine (start delay 1 s)"
KW_E2E_TIMEOUT=$((drops * 8 + 60)) kw_run_driver "$kwbench" adapter "$exe" "$drops" || status=1

# As the idle tick without an adapter is measured: Wine's own rasapi32, the window hidden, the adapter
# (down after the drops) read on every tick.
echo "== wineserver requests per idle tick with one adapter chosen (10 s, no connection, window hidden)"
log="$KW_SESSION/wineserver.log"
idle_end="$(kw_exchange_path "$WINEPREFIX" KWT_IDLE_END)" idle_read="$(kw_exchange_path "$WINEPREFIX" KWT_IDLE_READ)"
rm -f "$(kw_exchange_path "$WINEPREFIX" KWT_IDLE_BEGIN)" "$idle_end" "$idle_read"
from="$(($(stat -c %s "$log") + 1))"
(
    export WINEDEBUG=+server WINEDLLOVERRIDES="mscoree,mshtml=;rasapi32=b"
    # Not /dev/null: Wine traces nothing for a process whose error output goes there.
    KW_E2E_TIMEOUT=70 kw_run_driver "$kwbench" idle "$exe" 10 kwbench0 >"$KW_SESSION/idle-requests.log" 2>&1
) &
runner=$!
wait_for 60 test -f "$idle_end"
: >"$idle_read"
if wait "$runner"; then
    tail -c +"$from" "$log" | awk -v label="one adapter chosen" -f "$KW_ROOT/bench/tick-requests.awk" || status=1
else
    echo "the idle run failed:"
    tail -n 20 "$KW_SESSION/idle-requests.log"
    status=1
fi
exit "$status"
