#!/bin/bash
# Shared fixture of the end-to-end tests: a 32-bit Wine prefix (made once per build tree), the test
# rasapi32.dll in its system directory, an Xvfb display and one persistent wineserver.
# Usage: setup.sh <state dir> <dir of rasapi32.dll and kwtest.exe>
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
state="$1"
dlldir="$2"
kwtest="$dlldir/kwtest.exe"
mkdir -p "$state"
. "$here/wine-env.sh" "$state"

# Wine runs the 32-bit program with a 32-bit loader, which a kernel without 32-bit support refuses.
if [ "$("$here/../../tools/vm/where.sh")" != native ]; then
    echo "Wine cannot run 32-bit programs on this machine: make test runs these tests in an emulated x86 machine"
    exit 1
fi

# Left over from an interrupted run.
"$here/teardown.sh" "$state" >/dev/null 2>&1 || true

display=""
for n in $(seq 91 140); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
        display=":$n"
        break
    fi
done
[ -n "$display" ] || { echo "no free X display"; exit 1; }
# setsid and files instead of pipes: ctest waits for every process that holds its output pipe.
setsid Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >"$state/xvfb.log" 2>&1 < /dev/null &
echo $! >"$state/xvfb.pid"
# Xvfb listens once its socket is there (no x11-utils needed to ask it).
socket="/tmp/.X11-unix/X${display#:}"
for _ in $(seq 1 100); do
    [ -S "$socket" ] && break
    sleep 0.05
done
[ -S "$socket" ] || { echo "Xvfb did not start on $display"; cat "$state/xvfb.log"; exit 1; }
echo "$display" >"$state/display"
export DISPLAY="$display"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "creating the Wine prefix $WINEPREFIX"
    wineboot -i >"$state/wineboot.log" 2>&1 < /dev/null
    # Without a window manager Wine waits 2 s whenever a window hides, unless it manages windows itself.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$state/wineboot.log" 2>&1 < /dev/null
fi
# The fonts the window was laid out for, also in a prefix made before they were set up.
"$here/../../tools/wine-fonts.sh" >>"$state/wineboot.log" 2>&1 < /dev/null
# Processes that are already running (explorer) keep the old settings until the server goes, and the
# persistent server below must be the only one.
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true
setsid wineserver -p >"$state/wineserver.log" 2>&1 < /dev/null &
setsid wine "$kwtest" warmup >"$state/warmup.log" 2>&1 < /dev/null
sysdir="$WINEPREFIX/drive_c/windows/system32"
rm -f "$sysdir/rasapi32.dll.kwtest-away"
cp "$dlldir/rasapi32.dll" "$sysdir/rasapi32.dll"
mkdir -p "$WINEPREFIX/drive_c/kwtest/out"

echo "e2e fixture ready: DISPLAY=$display WINEPREFIX=$WINEPREFIX"
