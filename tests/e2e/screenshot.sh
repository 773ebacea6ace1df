#!/bin/bash
# Shows the product with a realistic program list on the fixture's display and saves a picture of its
# window. Usage: screenshot.sh <state dir> <kwbench.exe> <kopplungswacht.exe> <output .png>
set -u
here="$(cd "$(dirname "$0")" && pwd)"
state="$1"
kwbench="$2"
exe="$3"
out="$4"
. "$here/wine-env.sh" "$state"
kwdir="$WINEPREFIX/drive_c/kwtest"
rm -f "$kwdir/show-ready.txt" "$kwdir/show-done.txt" "$out"
timeout -k 5 60 wine "$kwbench" show "$(kw_winpath "$exe")" < /dev/null > "$state/show.log" 2>&1 &
show=$!
for _ in $(seq 1 300); do
    [ -f "$kwdir/show-ready.txt" ] && break
    kill -0 "$show" 2>/dev/null || break
    sleep 0.05
done
if [ ! -f "$kwdir/show-ready.txt" ]; then
    echo "the window did not come up"; cat "$state/show.log"
    wait "$show"
    exit 1
fi
# Let the first ticks and the drawing settle.
sleep 1
read -r x y w h < "$kwdir/show-ready.txt"
full="${out%.png}-full.png"
import -display "$DISPLAY" -window root "$full"
status=$?
: > "$kwdir/show-done.txt"
wait "$show"
shown=$?
cat "$state/show.log"
if [ $status -ne 0 ] || [ ! -s "$full" ]; then
    echo "import failed"
    exit 1
fi
# A few pixels around the frame, kept inside the screen.
x0=$(( x > 4 ? x - 4 : 0 )); y0=$(( y > 4 ? y - 4 : 0 ))
convert "$full" -crop "$((w + 8))x$((h + 8))+$x0+$y0" +repage "$out" || exit 1
echo "screenshot: $out (whole screen: $full)"
exit $shown
