#!/bin/bash
# Runs one area of the test driver under Wine in the shared fixture.
# Usage: run.sh <state dir> <kwtest.exe> <area> <kopplungswacht.exe> [more arguments]
here="$(cd "$(dirname "$0")" && pwd)"
state="$1"
kwtest="$2"
area="$3"
exe="$4"
shift 4
. "$here/wine-env.sh" "$state"
if [ ! -f "$state/display" ]; then
    echo "the e2e fixture is not set up (run setup.sh first)"
    exit 1
fi
if [ ! -f "$exe" ]; then
    echo "missing $exe"
    exit 1
fi
timeout -k 5 "${KW_E2E_TIMEOUT:-120}" wine "$kwtest" "$area" "$(kw_winpath "$exe")" "$@" < /dev/null
