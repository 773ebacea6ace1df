#!/bin/bash
# Ends what setup.sh started: the wineserver of the prefix (and with it every Wine process) and Xvfb.
# Usage: teardown.sh <state dir>
here="$(cd "$(dirname "$0")" && pwd)"
state="$1"
. "$here/wine-env.sh" "$state"
if [ -d "$WINEPREFIX" ]; then
    wineserver -k >/dev/null 2>&1 || true
fi
if [ -f "$state/xvfb.pid" ]; then
    kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
    rm -f "$state/xvfb.pid"
fi
rm -f "$state/display"
exit 0
