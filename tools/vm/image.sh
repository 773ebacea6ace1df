#!/bin/bash
# Makes the test machine once per host and prints the folder that holds it: rootfs.img, vmlinuz and
# initrd.img. It is a Debian 12 system from Debian's packages with 32-bit Wine, Xvfb, the fonts and the
# tools the end-to-end scripts call, and it lies in ~/.cache/kopplungswacht/, under a name made from what
# defines it (this script, the package list and the guest's init), so a change makes a new one and an
# unchanged one is found at once.
# Usage: image.sh    (progress on stderr, the folder on stdout)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"

packages=(
    # boot, shell and the share
    linux-image-amd64 initramfs-tools kmod mount iproute2 procps psmisc util-linux bash coreutils
    findutils grep sed gawk
    # the end-to-end scripts
    wine wine32:i386 fonts-wine fonts-freefont-ttf xvfb xauth x11-utils imagemagick cmake unzip
    binutils-mingw-w64-i686
)

key="$( { cat "$here/image.sh" "$here/guest-init.sh"; } | sha256sum | cut -c1-16)"
cache="${XDG_CACHE_HOME:-$HOME/.cache}/kopplungswacht"
dir="$cache/vm-$key"
if [ -f "$dir/ready" ]; then
    echo "$dir"
    exit 0
fi

"$here/../install-deps.sh" vm >&2
mkdir -p "$cache"
exec 9>"$cache/vm-$key.lock"
flock 9   # another make test on this machine may be making the same one
if [ -f "$dir/ready" ]; then
    echo "$dir"
    exit 0
fi
# Older machines of this project are of no more use.
find "$cache" -maxdepth 1 -name 'vm-*' ! -name "vm-$key*" -exec rm -rf {} + 2>/dev/null || true

# Debian's own sources, as this host's apt has them.
sources=""
for f in /etc/apt/sources.list.d/*.sources /etc/apt/sources.list; do
    [ -f "$f" ] && grep -qE '^[^#]*(debian|Debian)' "$f" && grep -q 'bookworm' "$f" && { sources="$f"; break; }
done
[ -n "$sources" ] || { echo "no Debian 12 package sources found in /etc/apt" >&2; exit 1; }

start=$SECONDS
echo "Making the test machine (once per host: about 370 MB to download, 3 to 6 minutes): $dir" >&2
rm -rf "$dir"
mkdir -p "$dir"
root="$dir/root"
build() {
    rm -rf "$root"
    mmdebstrap --quiet --variant=apt --architectures=amd64,i386 --include="$(IFS=,; echo "${packages[*]}")" \
        --customize-hook="copy-in $here/guest-init.sh /usr/local/sbin" \
        --customize-hook='chroot "$1" apt-get clean' \
        bookworm "$root" "$1" >&2
}
# mmdebstrap stops at any index that fails, and a mirror in the middle of a sync can serve one that does not
# match its release file for a while ("File has unexpected size"). Once more after a pause; then without
# the security updates' suite, whose i386 index is the one seen failing: this machine only runs the tests,
# with no network, and the release's own versions pair every i386 library with its amd64 twin.
if ! build "$sources"; then
    sleep 30
    if ! build "$sources"; then
        echo "Making the test machine from the release's own sources, without the security updates" >&2
        release_only="$dir/release.${sources##*.}"
        if [[ "$sources" == *.sources ]]; then
            awk 'BEGIN { RS = ""; ORS = "\n\n" } !/-security/' "$sources" >"$release_only"
        else
            grep -v -- '-security' "$sources" >"$release_only"
        fi
        build "$release_only"
    fi
fi
cp "$(readlink -f "$root/vmlinuz")" "$dir/vmlinuz"
cp "$(readlink -f "$root/initrd.img")" "$dir/initrd.img"
rm -rf "$root/var/lib/apt/lists/"* "$root/usr/share/doc" "$root/usr/share/man"
mkfs.ext4 -q -F -d "$root" -L kwguest "$dir/rootfs.img" 4G >&2
rm -rf "$root"
touch "$dir/ready"
echo "The test machine is ready after $((SECONDS - start)) s: $(du -sh "$dir" | cut -f1) on disk." >&2
echo "$dir"
