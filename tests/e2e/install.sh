#!/bin/bash
# The installer and uninstaller under Wine, silent, in a prefix of their own made afresh on the fixture's
# display: a fresh install with autostart, the installed program started and checked, an update over a
# running copy, an uninstall that keeps the settings, and one that removes them.
# Usage: install.sh <state dir> <kwtest.exe> <dist dir> <dir of rasapi32.dll> <kwdemo.exe>
# No -e: each step's result goes to ok(), and the scenario goes on to check the rest.
set -uo pipefail
. "$(dirname "$0")/../../tools/lib.sh"
state="$1" kwtest="$2" dist="$3" dlldir="$4" kwdemo="$5"
kw_fixture_env "$state"
[ -f "$state/display" ] || { echo "the e2e fixture is not set up (run setup.sh first)"; exit 1; }
version="$(kw_version)" || exit 1
setup="$dist/kopplungswacht-$version-setup.exe"
zip="$dist/kopplungswacht-$version-portable.zip"
[ -f "$setup" ] || { echo "missing $setup: run make release first"; exit 1; }

kw_wine_env "$state/install-prefix" n
wineserver -k >/dev/null 2>&1 || true
rm -rf "$WINEPREFIX"
log="$state/install-wine.log"
: >"$log"
# As in the fixture: the test remote-access DLL, so that the installed program runs as in the other areas,
# and one server for the whole scenario.
kw_wine_fixture "$log" --unmanaged --dll "$dlldir/rasapi32.dll" --server /dev/null --warmup "$kwtest" ||
    { cat "$log"; exit 1; }
trap 'wineserver -k >/dev/null 2>&1' EXIT

. "$KW_ROOT/tests/e2e/checks.sh" install
absent() { [ ! -e "$1" ] || { echo "  still there: $1"; return 1; }; }
run() { timeout -k 5 120 wine "$@" </dev/null; }
# A registry value as `reg query` prints it, or "(none)".
reg_value() {
    local out
    out="$(run reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p")"
    echo "${out:-(none)}"
}
no_key() { ! run reg query "$1" >/dev/null 2>&1; }
not_running() { ! kill -0 "$1" 2>/dev/null; }
# The uninstaller runs as a copy of itself in the temp folder and returns at once: poll for its work.
eventually() { wait_for 30 "$@" >/dev/null || "$@"; }
# NSIS counts whole kilobytes of the installed files; allow for its rounding.
size_in_kb() {
    local kb=$(( ($(cat "$unix_instdir"/* | wc -c) + 1023) / 1024 ))
    local value
    value="$(reg_value "$uninstall_key" EstimatedSize)"
    [[ "$value" =~ ^0x[0-9a-f]+$ ]] || { echo "  expected a DWORD, got [$value]"; return 1; }
    local got=$((value))
    [ "$got" -ge $((kb - 1)) ] && [ "$got" -le "$kb" ] || { echo "  expected about $kb KB, got $got"; return 1; }
}

local_appdata="$(run cmd /c echo %LOCALAPPDATA% | tr -d '\r')"
appdata="$(run cmd /c echo %APPDATA% | tr -d '\r')"
instdir="$local_appdata\\Programs\\Kopplungswacht"
unix_instdir="$(winepath -u "$instdir" | tr -d '\r')"
shortcut="$(winepath -u "$appdata\\Microsoft\\Windows\\Start Menu\\Programs\\Kopplungswacht.lnk" | tr -d '\r')"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kopplungswacht'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
settings_key='HKCU\Software\Kopplungswacht'
exe_path="$instdir\\kopplungswacht.exe"

echo "== fresh install, silent, with autostart"
run "$setup" /S /AUTOSTART
ok "fresh install: exit code" same "$?" "0"
ok "fresh install: installed files" \
    same "$(cd "$unix_instdir" 2>/dev/null && LC_ALL=C ls | tr '\n' ' ')" "LIESMICH.txt LIZENZ.txt kopplungswacht.exe uninstall.exe "
ok "fresh install: the exe is the zip's" \
    cmp "$unix_instdir/kopplungswacht.exe" <(unzip -p "$zip" kopplungswacht.exe)
ok "fresh install: Start-menu shortcut" test -s "$shortcut"
ok "uninstall entry: DisplayName" same "$(reg_value "$uninstall_key" DisplayName)" "Kopplungswacht"
ok "uninstall entry: DisplayVersion" same "$(reg_value "$uninstall_key" DisplayVersion)" "$version"
ok "uninstall entry: Publisher" same "$(reg_value "$uninstall_key" Publisher)" "Kopplungswacht-Projekt"
ok "uninstall entry: DisplayIcon" same "$(reg_value "$uninstall_key" DisplayIcon)" "$exe_path,0"
ok "uninstall entry: UninstallString" same "$(reg_value "$uninstall_key" UninstallString)" "\"$instdir\\uninstall.exe\""
ok "uninstall entry: EstimatedSize" size_in_kb
ok "Run value with /AUTOSTART" same "$(reg_value "$run_key" Kopplungswacht)" "\"$exe_path\""

echo "== the installed program starts and is version $version.0 (the window area of kwtest)"
# The unpacked exe under its installed path: caption, controls, version resource, Info, minimise.
run "$kwtest" window "$exe_path"
ok "installed program: kwtest window area" same "$?" "0"

echo "== update over a running copy, silent"
run reg add "$settings_key\\Schlafen" /v schlafen /d 7 /f >/dev/null
run reg add "$settings_key\\Adapter" /v adapter0 /d wg-buero /f >/dev/null
wine "$exe_path" </dev/null >/dev/null 2>&1 &
program=$!
# The installer looks for the window, not the process: wait until the window is there.
ok "update: the copy's window is there before the update" \
    same "$(wine "$kwdemo" status "Status der Programme: Beendet" </dev/null 2>/dev/null | tr -d '\r')" \
    "Status der Programme: Beendet"
ok "update: the copy runs before the update" kill -0 "$program"
run "$setup" /S
ok "update over a running copy: exit code" same "$?" "0"
ok "update: the running copy was asked to end and is gone" not_running "$program"
wait "$program"
ok "update: the running copy ended by its own Close (exit code 0)" same "$?" "0"
ok "update: the exe is in place" cmp "$unix_instdir/kopplungswacht.exe" \
    <(unzip -p "$zip" kopplungswacht.exe)
ok "update: the earlier choice to start with Windows stays" same "$(reg_value "$run_key" Kopplungswacht)" "\"$exe_path\""
ok "update: settings untouched" same "$(reg_value "$settings_key\\Schlafen" schlafen)" "7"
ok "update: the chosen adapter untouched" same "$(reg_value "$settings_key\\Adapter" adapter0)" "wg-buero"

echo "== uninstall, silent, keeping the settings"
run "$instdir\\uninstall.exe" /S
ok "uninstall: the uninstall entry is gone" eventually no_key "$uninstall_key"
ok "uninstall: the program folder is gone" absent "$unix_instdir"
ok "uninstall: the shortcut is gone" absent "$shortcut"
ok "uninstall: the Run value is gone" same "$(reg_value "$run_key" Kopplungswacht)" "(none)"
ok "uninstall: the settings stay" same "$(reg_value "$settings_key\\Schlafen" schlafen)" "7"
ok "uninstall: the chosen adapter stays" same "$(reg_value "$settings_key\\Adapter" adapter0)" "wg-buero"

echo "== install without autostart, then uninstall with the settings"
run "$setup" /S
ok "second install: exit code" same "$?" "0"
ok "second install: no Run value without /AUTOSTART" same "$(reg_value "$run_key" Kopplungswacht)" "(none)"
run "$instdir\\uninstall.exe" /S /EINSTELLUNGENENTFERNEN
# Removing the settings is the uninstaller's last step.
ok "uninstall with settings: the settings key is gone" eventually no_key "$settings_key"
ok "uninstall with settings: the uninstall entry is gone" no_key "$uninstall_key"
ok "uninstall with settings: the program folder is gone" absent "$unix_instdir"

finish
