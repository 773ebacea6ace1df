#!/bin/bash
# Shared fixture of the end-to-end tests: a 32-bit Wine prefix (made once per build tree), the test
# rasapi32.dll in its system directory, an Xvfb display and one persistent wineserver.
# Usage: setup.sh <state dir> <dir of rasapi32.dll and kwtest.exe>
set -euo pipefail
. "$(dirname "$0")/../../tools/lib.sh"
state="$1" dlldir="$2"
kwtest="$dlldir/kwtest.exe"
mkdir -p "$state"
kw_fixture_env "$state"

# Wine runs the 32-bit program with a 32-bit loader, which a kernel without 32-bit support refuses.
if [ "$("$KW_ROOT/tools/vm/where.sh")" != native ]; then
    echo "Wine cannot run 32-bit programs on this machine: make test runs these tests in an emulated x86 machine"
    exit 1
fi

# Left over from an interrupted run.
"$KW_ROOT/tests/e2e/teardown.sh" "$state" >/dev/null 2>&1 || true

# A fixture that is not ready leaves nothing running: Xvfb would hold whatever its caller had open.
not_ready() {
    [ "$?" -eq 0 ] && return
    [ -z "${KW_XVFB_PID:-}" ] || kill "$KW_XVFB_PID" 2>/dev/null || true
    "$KW_ROOT/tests/e2e/teardown.sh" "$state" >/dev/null 2>&1
}
trap not_ready EXIT
[ -f "$WINEPREFIX/system.reg" ] || echo "creating the Wine prefix $WINEPREFIX"
kw_wine_fixture "$state/wine.log" --xvfb "$state/xvfb.log" --unmanaged --dll "$dlldir/rasapi32.dll" \
    --server "$state/wineserver.log" --warmup "$kwtest" || { cat "$state/wine.log"; exit 1; }
echo "$KW_XVFB_PID" >"$state/xvfb.pid"
echo "$DISPLAY" >"$state/display"

echo "e2e fixture ready: DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX"
