#!/usr/bin/env bash
# Gives a Wine prefix the fonts the window was laid out for, once per prefix.
# Usage: wine-fonts.sh, with WINEPREFIX and the other Wine variables exported, after `wineboot -i`.
#
# The window is laid out at 96 DPI for the classic 8-point dialog font, MS Sans Serif, which Wine does not
# have: it draws "MS Shell Dlg" in its own Tahoma. Wine measures Tahoma by its outlines, which are wider
# than its bitmaps at this size, so word wrapping and centring cut "Fenster minimieren" (102 px in a 97 px
# button) and wrap "Nach Einwahlbeginn so viele Sekunden warten:" (251 px in a 233 px label).
# FreeSans (fonts-freefont-ttf) comes closest to MS Sans Serif's 8-point widths of the fonts Debian has:
# 92 against 87 px and 227 against 227 px for those two, 191 against 188 px for "Momentan aktive
# DFÜ-Verbindungen: 0", and both fit.
set -euo pipefail
stamp="$WINEPREFIX/.kopplungswacht-fonts"
[ -f "$stamp" ] && exit 0

fonts="$WINEPREFIX/drive_c/windows/Fonts"
# Debian's Wine does not find the fonts of fonts-wine by itself; Marlett draws the caption buttons.
cp /usr/share/wine/fonts/*.ttf "$fonts/"
cp /usr/share/fonts/truetype/freefont/FreeSans.ttf /usr/share/fonts/truetype/freefont/FreeSansBold.ttf "$fonts/"
# A substitute applies even where the named font exists (Wine's Tahoma does), and the bold caption font
# follows to FreeSans Bold.
for name in "MS Shell Dlg" "MS Shell Dlg 2" "MS Sans Serif" "Tahoma"; do
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v "$name" /d FreeSans /f \
        >/dev/null 2>&1 </dev/null
done
touch "$stamp"
