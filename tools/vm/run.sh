#!/bin/bash
# Runs one command in the emulated x86 test machine (see image.sh) and hands back its output and exit
# status. The project folder is shared with the machine read-write at the same path, so build trees and
# their test files stay valid inside; each run boots a fresh copy of the machine, so runs don't collide.
# A run that outlasts its time limit, or a machine that dies, fails with the last lines of its console.
# Usage: run.sh [--limit SECONDS] [--fresh DIR]... [--] COMMAND [ARG]...
#   --limit  the time limit of the whole run, boot included (default 1800)
#   --fresh  a folder that starts empty in the machine's memory (Wine prefixes), hiding what the host
#            has there; whatever the command leaves in it is gone after the run
# No -e: the machine's end, whichever way it comes, is read after qemu has gone and reported with its console.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
share="$(cd "$here/../.." && pwd)"
limit=1800
fresh=()
while [ $# -gt 0 ]; do
    case "$1" in
        --limit) limit="$2"; shift 2 ;;
        --fresh) fresh+=("$(realpath -m "$2")"); shift 2 ;;
        --) shift; break ;;
        *) break ;;
    esac
done
[ $# -gt 0 ] || { echo "usage: run.sh [--limit SECONDS] [--fresh DIR]... [--] COMMAND [ARG]..."; exit 2; }

machine="$("$here/image.sh")" || { echo "vm: the test machine could not be made"; exit 1; }
job="$(mktemp -d "${TMPDIR:-/tmp}/kw-vm.XXXXXX")"
qemu_pid=""
cleanup() {
    [ -n "$qemu_pid" ] && kill -9 "$qemu_pid" 2>/dev/null
    rm -rf "$job"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

workdir="$PWD"
case "$workdir/" in "$share"/*) ;; *) workdir="$share" ;; esac
{
    printf 'SHARE=%q\nWORKDIR=%q\nFRESH=(' "$share" "$workdir"
    [ "${#fresh[@]}" -eq 0 ] || printf ' %q' "${fresh[@]}"
    printf ' )\n'
} >"$job/job.env"
{
    printf 'export KW_IN_VM=1\n'
    printf 'exec'
    printf ' %q' "$@"
    printf '\n'
} >"$job/job.sh"
: >"$job/output"

timeout -k 10 "$limit" qemu-system-x86_64 -accel tcg,thread=multi -smp "$(nproc)" -m 6144 \
    -cpu qemu64,+ssse3,+sse4.1,+sse4.2,+popcnt \
    -display none -monitor none -serial "file:$job/console.log" -no-reboot \
    -kernel "$machine/vmlinuz" -initrd "$machine/initrd.img" \
    -append "root=/dev/vda rw init=/usr/local/sbin/guest-init.sh console=ttyS0 quiet panic=-1" \
    -drive "file=$machine/rootfs.img,if=virtio,format=raw,cache=unsafe,snapshot=on" \
    -virtfs "local,path=$share,mount_tag=kwshare,security_model=none" \
    -virtfs "local,path=$job,mount_tag=kwjob,security_model=none" \
    </dev/null >"$job/qemu.log" 2>&1 &
qemu_pid=$!
tail -n +1 -f --pid="$qemu_pid" "$job/output"
wait "$qemu_pid"
qemu_status=$?
qemu_pid=""

if [ -f "$job/status" ]; then
    exit "$(cat "$job/status")"
fi
if [ "$qemu_status" -eq 124 ] || [ "$qemu_status" -eq 137 ]; then
    echo "vm: the run did not end within its limit of $limit s and was stopped."
else
    echo "vm: the test machine ended without the command's exit status (qemu: $qemu_status)."
fi
echo "vm: the last lines of its console:"
tail -n 25 "$job/console.log" 2>/dev/null | sed 's/^/    /'
tail -n 5 "$job/qemu.log" 2>/dev/null | sed 's/^/    qemu: /'
exit 1
