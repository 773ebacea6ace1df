#!/usr/bin/env bash
# Plays a dial-up connection for the real program under Wine. The demo prefix has the test remote-access
# DLL, whose connection count this script sets, and two harmless programs on the list (Notepad with a
# note, and the clock), with a start delay of 5 seconds.
# With a terminal and a display the user switches the connection with Enter. Otherwise it runs one
# scripted cycle, on a virtual display when there is none, and saves a screenshot of each stage.
# Usage: demo.sh <cross build dir> <output dir>
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
. "$root/tools/lib.sh"
win="$1"
out="$2"
exe="$win/src/platform/win32/kopplungswacht.exe"
ras="$win/tests/e2e/win/rasapi32.dll"
kwdemo="$win/tools/demo/kwdemo.exe"
for f in "$exe" "$ras" "$kwdemo"; do
    [ -f "$f" ] || { echo "missing $f: build the cross build first"; exit 1; }
done
mkdir -p "$out"

# The test remote-access DLL in system32 instead of Wine's own, which never reports a connection.
kw_wine_env "$out/prefix" n
if ! wine --version >/dev/null 2>&1; then
    echo "Wine läuft hier nicht: dieser Rechner führt keine 32-Bit-Programme aus."
    exit 1
fi

KW_XVFB_PID=""
program=""
cleanup() {
    if [ -n "$program" ]; then kill "$program" 2>/dev/null || true; fi
    wineserver -k 2>/dev/null || true
    if [ -n "$KW_XVFB_PID" ]; then kill "$KW_XVFB_PID" 2>/dev/null || true; fi
}
trap cleanup EXIT

virtual=0 desktop=off
xvfb=()
if [ -z "${DISPLAY:-}" ]; then
    # On a virtual display, Wine's own desktop with a taskbar shows the programs minimised.
    virtual=1 desktop=on
    xvfb=(--xvfb "$out/xvfb.log")
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Das Wine-Präfix der Demo wird eingerichtet (einmalig): $WINEPREFIX"
fi
kw_wine_fixture "$out/wine.log" "${xvfb[@]}" --desktop "$desktop" --dll "$ras" || { cat "$out/wine.log"; exit 1; }
if [ "$virtual" = 1 ]; then
    echo "Kein Bildschirm gefunden: die Demo läuft auf einem virtuellen ($DISPLAY) und speichert Bildschirmfotos."
fi
c="$WINEPREFIX/drive_c"
order="$(kw_exchange_path "$WINEPREFIX" KWT_RAS_ORDER)"
mkdir -p "$c/kwdemo"
# The DLL reads the connection count from here on every call; replaced whole, never half written.
connections() {
    printf '%s' "$1" >"$order.new"
    mv "$order.new" "$order"
}
connections 0
printf '\xef\xbb\xbfDiese Notiz hat Kopplungswacht geöffnet, weil eine DFÜ-Verbindung steht.\r\nWird die Verbindung getrennt, beendet Kopplungswacht den Editor wieder.\r\n' \
    >"$c/kwdemo/Notiz.txt"
# The list and the delay, stored as the program stores them; no adapter chosen.
wine "$kwdemo" settings 5 '"C:\windows\notepad.exe" C:\kwdemo\Notiz.txt' '"C:\windows\system32\clock.exe"' \
    </dev/null >>"$out/wine.log" 2>&1 || { echo "Die Einstellungen der Demo ließen sich nicht speichern."; exit 1; }

helper() { wine "$kwdemo" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
shot() {
    [ "$virtual" = 1 ] || return 0
    kw_screenshot "$out/$1"
    echo "  Bildschirmfoto: $out/$1"
}

wine "$exe" </dev/null >/dev/null 2>&1 &
program=$!
# The program starts in the notification area; the demo brings its window up as a click on the icon does.
helper show >/dev/null || { echo "Das Fenster von Kopplungswacht ist nicht erschienen."; exit 1; }
echo "Kopplungswacht läuft (Startverzögerung 5 s; auf der Liste: Editor mit einer Notiz, Uhr)."

if [ -t 0 ] && [ "$virtual" = 0 ]; then
    up=0
    echo "Enter: Verbindung herstellen / trennen, q: Ende"
    while kill -0 "$program" 2>/dev/null; do
        # A short read timeout notices when the user closes the window; end of input ends the demo.
        status=0
        read -r -t 1 key || status=$?
        [ "$status" -gt 128 ] && continue
        [ "$status" -ne 0 ] || [ "$key" = q ] && break
        up=$((1 - up))
        connections "$up"
        if [ "$up" = 1 ]; then echo "Verbindung hergestellt (1 aktive DFÜ-Verbindung)"; else echo "Verbindung getrennt"; fi
    done
else
    # Each stage is waited for by what the window shows, not by the clock.
    stage() { helper status "$1" || { echo "nicht erreicht: $1"; exit 1; }; shot "$2"; }
    stage "Status der Programme: Beendet" demo-1-bereit.png
    if [ "$virtual" = 1 ]; then
        helper menu && shot tray-menu.png
        helper menuclose || true
    fi
    echo "Verbindung hergestellt"
    connections 1
    stage "Programme werden in " demo-2-countdown.png
    helper status "Status der Programme: Gestartet" >/dev/null || { echo "nicht erreicht: Gestartet"; exit 1; }
    # The two programs take a moment to come up, minimised on the taskbar.
    helper minimised 2 || echo "Die gestarteten Programme sind nicht (beide) erschienen."
    shot demo-3-gestartet.png
    echo "Verbindung getrennt"
    connections 0
    stage "Status der Programme: Beendet" demo-4-beendet.png
fi
connections 0
if kill -0 "$program" 2>/dev/null; then
    # Programs it started are ended by the program itself once the connection is gone.
    helper status "Status der Programme: Beendet" >/dev/null || true
    helper close || true
fi
wait "$program" 2>/dev/null || true
program=""
echo "Ende."
