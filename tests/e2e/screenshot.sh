#!/bin/bash
# Shows the product with a realistic program list on the fixture's display and saves a picture of its
# window. Usage: screenshot.sh <state dir> <kwtest.exe> <kopplungswacht.exe> <output .png>
set -euo pipefail
. "$(dirname "$0")/../../tools/lib.sh"
state="$1" kwtest="$2" exe="$3" out="$4"
kw_fixture_env "$state"
ready="$(kw_exchange_path "$WINEPREFIX" KWT_SHOW_READY)"
finished="$(kw_exchange_path "$WINEPREFIX" KWT_SHOW_DONE)"
rm -f "$ready" "$finished" "$out"
timeout -k 5 60 wine "$kwtest" show "$(kw_winpath "$exe")" </dev/null >"$state/show.log" 2>&1 &
show=$!
ready_or_ended() { [ -f "$ready" ] || ! kill -0 "$show" 2>/dev/null; }
wait_for 15 ready_or_ended || true
if [ ! -f "$ready" ]; then
    echo "the window did not come up"
    cat "$state/show.log"
    wait "$show" || true
    exit 1
fi
read -r x y w h <"$ready"
full="${out%.png}-full.png"
kw_screenshot "$full"
: >"$finished"
shown=0
wait "$show" || shown=$?
cat "$state/show.log"
[ -s "$full" ] || { echo "no picture of the display"; exit 1; }
# A few pixels around the frame, kept inside the screen.
x0=$((x > 4 ? x - 4 : 0))
y0=$((y > 4 ? y - 4 : 0))
convert "$full" -crop "$((w + 8))x$((h + 8))+$x0+$y0" +repage "$out"
echo "screenshot: $out (whole screen: $full)"
exit "$shown"
