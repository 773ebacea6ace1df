#!/bin/bash
# Says where the Wine tests can run: "native" when this host executes 32-bit x86 programs, "vm" when
# they must run in the emulated test machine (run.sh). It tries a 32-bit program instead of asking
# Wine, whose 64-bit part answers even where no 32-bit program can start.
# Usage: where.sh [auto|native|vm] [PROBE]    PROBE: a program to try instead of the built-in one
set -euo pipefail
choice="${1:-auto}"
case "$choice" in
    native|vm) echo "$choice"; exit 0 ;;
    auto) ;;
    *) echo "E2E must be auto, native or vm, not '$choice'" >&2; exit 2 ;;
esac

probe="${2:-}"
tmp=""
if [ -z "$probe" ]; then
    tmp="$(mktemp -d)"
    trap 'rm -rf "$tmp"' EXIT
    probe="$tmp/exit42"
    # The smallest static i386 Linux program: an ELF header, one loadable segment, and
    # xor ebx,ebx; mov bl,42; xor eax,eax; inc eax; int 0x80 (exit with status 42).
    printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' >"$probe"
    printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' >>"$probe"
    printf '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00' >>"$probe"
    printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08' >>"$probe"
    printf '\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00' >>"$probe"
    printf '\x31\xdb\xb3\x2a\x31\xc0\x40\xcd\x80' >>"$probe"
    chmod +x "$probe"
fi
status=0
"$probe" 2>/dev/null || status=$?
# An i386 emulator registered with the kernel also answers 42, but runs Wine far too slowly to time it.
if [ "$status" -eq 42 ] && ! grep -qsx enabled /proc/sys/fs/binfmt_misc/qemu-i386; then
    echo native
else
    echo vm
fi
