#!/bin/bash
# Where the Wine tests run: a host that executes 32-bit programs runs them itself and never boots the
# emulated machine; any other host, or E2E=vm, sends them there.
# No -e: each check's result goes to ok(), and the script goes on to check the rest.
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
. "$root/tests/e2e/checks.sh" where
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
printf '#!/bin/sh\nexit 42\n' >"$tmp/runs"
printf '#!/bin/sh\nexit 126\n' >"$tmp/refused"
chmod +x "$tmp/runs" "$tmp/refused"
where() { "$root/tools/vm/where.sh" "$@" 2>&1; }

ok "a host that runs the probe" same "$(where auto "$tmp/runs")" native
ok "a host that refuses it" same "$(where auto "$tmp/refused")" vm
ok "forced into the machine" same "$(where vm "$tmp/runs")" vm
ok "forced native" same "$(where native "$tmp/refused")" native
ok "a wrong choice" same "$(where yes)" "E2E must be auto, native or vm, not 'yes'"

# What make test does with each choice (printed, not run). The sanitizer build's tests run here either way.
plan() { make -s -n -C "$root" test E2E="$1" JOBS=2 2>&1 | grep -E 'ctest|vm/run.sh'; }
asan="ctest --test-dir $root/build/asan --output-on-failure -j2"
ok "native: every test here, the machine's own tests left out" same "$(plan native)" \
    "$asan
ctest --test-dir $root/build/host --output-on-failure -LE vm"
ok "vm: the rest here, the Wine tests in the machine" same "$(plan vm)" \
    "$asan
ctest --test-dir $root/build/host --output-on-failure -LE wine
tools/vm/run.sh --limit 3600 --fresh $root/build/host/tests/e2e/wine -- ctest --test-dir $root/build/host --output-on-failure -L wine"
finish
