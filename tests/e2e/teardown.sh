#!/bin/bash
# Ends what setup.sh started: the wineserver of the prefix (and with it every Wine process) and Xvfb.
# Usage: teardown.sh <state dir>
set -euo pipefail
. "$(dirname "$0")/../../tools/lib.sh"
state="$1"
kw_fixture_env "$state"
if [ -d "$WINEPREFIX" ]; then
    wineserver -k >/dev/null 2>&1 || true
fi
if [ -f "$state/xvfb.pid" ]; then
    kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
    rm -f "$state/xvfb.pid"
fi
rm -f "$state/display"
