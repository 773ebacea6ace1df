#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, and only what is missing.
# Usage: install-deps.sh        the build, the tests and Wine
#        install-deps.sh vm     what makes and boots the emulated test machine (tools/vm/)
set -euo pipefail

wanted=(cmake make g++ libgtest-dev clang-14 clang-tidy libclang-rt-14-dev g++-mingw-w64-i686-posix wine wine32:i386 fonts-wine fonts-freefont-ttf
    xvfb x11-utils xauth imagemagick iproute2 valgrind nsis zip unzip icoutils)
if [ "${1:-}" = vm ]; then
    wanted=(qemu-system-x86 mmdebstrap e2fsprogs)
fi
need=()
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q '^install ok installed$'; }
for pkg in "${wanted[@]}"; do
    have_pkg "$pkg" || need+=("$pkg")
done
[ ${#need[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${need[*]}"
if [[ " ${need[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
fi
# A mirror in the middle of a sync can fail one index for a minute ("File has unexpected size"). Try again
# a few times; if one index still fails, the install below says whether anything needed is really missing.
for attempt in 1 2 3 4; do
    $sudo apt-get update -q && break
    [ "$attempt" -lt 4 ] || { echo "apt-get update failed; installing from the lists that did arrive"; break; }
    sleep $((attempt * 15))
done
install() { DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "$@" "${need[@]}"; }
# Without one index (the security updates' i386 list, say), an i386 library and its installed amd64 twin
# can no longer be given one version. The release's own versions always pair up: take those then.
install || { . /etc/os-release && echo "Installing from $VERSION_CODENAME's own versions" && install -t "$VERSION_CODENAME"; }
