#!/usr/bin/env bash
# Starts kopplungswacht.exe under Wine in a prefix of its own below the build tree.
# Without a display it starts a virtual one, takes a screenshot and ends the program again.
set -euo pipefail
exe=$1
build=$2
kwdemo=$3  # shows the window as a click on the tray icon does

export WINEARCH=win32 WINEPREFIX="$build/wine-run" WINEDEBUG=-all LANG=C.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml="

xvfb_pid=""
cleanup() {
    wineserver -k 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
    display=:$((90 + RANDOM % 100))
    echo "No display found: starting a virtual one ($display)."
    Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=$display
    sleep 1
    virtual=1
else
    virtual=0
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Preparing the Wine prefix $WINEPREFIX (once)..."
    wineboot -i >/dev/null 2>&1
    if [ $virtual = 1 ]; then
        # Without a window manager Wine pauses whenever a window hides, unless it manages the frames itself.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    fi
    wineserver -w
fi
# The fonts the window was laid out for, also in a prefix made before they were set up.
"$(dirname "$0")/wine-fonts.sh"

if [ $virtual = 0 ]; then
    wine "$exe"
    exit 0
fi

wine "$exe" &
# The program starts in the notification area; bring its window up for the picture.
wine "$kwdemo" show >/dev/null 2>&1 </dev/null || echo "The window did not come up."
sleep 1
shot="$build/run-screenshot.png"
import -window root "$shot"
echo "Screenshot of the running program: $shot"
echo "The virtual display has no user; ending the program."
