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

kw_start_xvfb "$state/xvfb.log"
echo "$KW_XVFB_PID" >"$state/xvfb.pid"
# A fixture that is not ready leaves nothing running: Xvfb would hold whatever its caller had open.
not_ready() { [ "$?" -eq 0 ] || "$KW_ROOT/tests/e2e/teardown.sh" "$state" >/dev/null 2>&1; }
trap not_ready EXIT
echo "$DISPLAY" >"$state/display"

[ -f "$WINEPREFIX/system.reg" ] || echo "creating the Wine prefix $WINEPREFIX"
kw_prepare_prefix "$state/wineboot.log" unmanaged
# Processes that are already running (explorer) keep the old settings until the server goes, and the
# persistent server below must be the only one.
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true
setsid wineserver -p >"$state/wineserver.log" 2>&1 </dev/null &
setsid wine "$kwtest" warmup >"$state/warmup.log" 2>&1 </dev/null
sysdir="$WINEPREFIX/drive_c/windows/system32"
rm -f "$sysdir/rasapi32.dll.kwtest-away"
cp "$dlldir/rasapi32.dll" "$sysdir/rasapi32.dll"
mkdir -p "$WINEPREFIX/drive_c/kwtest/out"

echo "e2e fixture ready: DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX"
