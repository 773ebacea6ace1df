#!/bin/bash
# Timings of the real program under Wine, and what it weighs. Not a test: prints figures to compare with
# the targets (drop-to-exit median <= 250 ms, worst <= 450 ms; launch within start delay + 1 s +- 10%).
# Usage: tools/bench-wine.sh [cross build dir (default /tmp/e2e-win)] [cycles (default 20)] [delay s (default 2)]
# Needs the cross build (program and tests/e2e/win) to be built.
set -u
root="$(cd "$(dirname "$0")/.." && pwd)"
win="${1:-/tmp/e2e-win}"
cycles="${2:-20}"
delay="${3:-2}"
exe="$win/src/platform/win32/kopplungswacht.exe"
tests="$win/tests/e2e/win"
state="$win/bench-wine"
for f in "$exe" "$tests/kwtest.exe" "$tests/kwchild.exe" "$tests/rasapi32.dll"; do
    [ -f "$f" ] || { echo "missing $f: build $win first"; exit 1; }
done

echo "== the exe"
stripped="$(mktemp)"
i686-w64-mingw32-strip -o "$stripped" "$exe"
echo "size: $(stat -c %s "$exe") bytes as built, $(stat -c %s "$stripped") bytes stripped"
rm -f "$stripped"
echo "imported DLLs: $(i686-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print $3}' | sort | tr '\n' ' ')"

echo "== $cycles connection cycles under Wine (start delay $delay s)"
bash "$root/tests/e2e/setup.sh" "$state" "$tests" || exit 1
KW_E2E_TIMEOUT=$((cycles * (delay + 8) + 60)) bash "$root/tests/e2e/run.sh" "$state" "$tests/kwtest.exe" bench "$exe" "$cycles" "$delay"
status=$?
bash "$root/tests/e2e/teardown.sh" "$state"
exit $status
