#!/bin/bash
# Runs one area of a driver (kwtest.exe, kwbench.exe) under Wine in the shared fixture.
# Usage: run.sh <state dir> <driver exe> <area> <kopplungswacht.exe> [more arguments]
# KW_E2E_TIMEOUT: seconds before the run is stopped (default 120).
set -euo pipefail
. "$(dirname "$0")/../../tools/lib.sh"
state="$1" driver="$2" area="$3" exe="$4"
shift 4
kw_fixture_env "$state"
[ -f "$state/display" ] || { echo "the e2e fixture is not set up (run setup.sh first)"; exit 1; }
[ -f "$exe" ] || { echo "missing $exe"; exit 1; }
kw_run_driver "$driver" "$area" "$exe" "$@"
