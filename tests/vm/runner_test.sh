#!/bin/bash
# The emulated test machine hands back what a command printed, wrote and returned, and stops a command
# that hangs at its time limit, with the end of the machine's console.
# No -e: each check's result goes to ok(), and the script goes on to check the rest.
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
. "$root/tests/e2e/checks.sh" vm
work="$root/build/vm-test"
rm -rf "$work"
mkdir -p "$work/fresh"
echo "the host's" >"$work/fresh/file"

out="$("$root/tools/vm/run.sh" --fresh "$work/fresh" -- bash -c '
    echo "printed in the guest"
    uname -m >'"$work"'/written
    ls -A '"$work"'/fresh | wc -l
    exit 3' 2>/dev/null)"   # stderr: the progress of making the machine, on its first use
status=$?
ok "the command's exit status" same "$status" 3
ok "what it printed, and a fresh folder that starts empty" same "$out" "printed in the guest
0"
ok "what it wrote into the shared folder" same "$(cat "$work/written" 2>&1)" x86_64
ok "the host's file under the fresh folder is untouched" same "$(cat "$work/fresh/file")" "the host's"

start=$SECONDS
out="$("$root/tools/vm/run.sh" --limit 45 -- sleep 600 2>&1)"
status=$?
took=$((SECONDS - start))
ok "a hanging command fails" same "$status" 1
ok "it is stopped at the limit, not later (took $took s)" test "$took" -lt 60
ok "the reason comes first" same "$(echo "$out" | head -n 2)" "vm: the run did not end within its limit of 45 s and was stopped.
vm: the last lines of its console:"
ok "then the console, where the guest said it started the job" grep -q "kw-guest: running the job" <<<"$out"
finish
