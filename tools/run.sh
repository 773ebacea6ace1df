#!/usr/bin/env bash
# Starts kopplungswacht.exe under Wine in a prefix of its own below the build tree.
# Without a display it starts a virtual one, takes a screenshot and ends the program again.
# Usage: run.sh <kopplungswacht.exe> <build dir> <kwdemo.exe>
set -euo pipefail
. "$(dirname "$0")/lib.sh"
exe="$1"
build="$2"
kwdemo="$3"  # shows the window as a click on the tray icon does

kw_wine_env "$build/wine-run"

KW_XVFB_PID=""
cleanup() {
    wineserver -k 2>/dev/null || true
    if [ -n "$KW_XVFB_PID" ]; then kill "$KW_XVFB_PID" 2>/dev/null || true; fi
}
trap cleanup EXIT

if [ -n "${DISPLAY:-}" ]; then
    [ -f "$WINEPREFIX/system.reg" ] || echo "Preparing the Wine prefix $WINEPREFIX (once)..."
    kw_wine_fixture /dev/null
    wine "$exe"
    exit 0
fi

[ -f "$WINEPREFIX/system.reg" ] || echo "Preparing the Wine prefix $WINEPREFIX (once)..."
kw_wine_fixture /dev/null --xvfb "$build/run-xvfb.log" --unmanaged
echo "No display found: started a virtual one ($DISPLAY)."

wine "$exe" </dev/null >/dev/null 2>&1 &
# The program starts in the notification area; bring its window up for the picture.
wine "$kwdemo" show >/dev/null 2>&1 </dev/null || echo "The window did not come up."
shot="$build/run-screenshot.png"
kw_screenshot "$shot"
echo "Screenshot of the running program: $shot"
echo "The virtual display has no user; ending the program."
