#!/bin/bash
# The test machine's first and only process. It mounts what a shell session needs, the host's folder
# at the same path as on the host, runs the one job that the host wrote, hands back its output and
# exit status, and powers the machine off.
# Not strict (no set -e or -u): this is the machine's init, and an init that ends makes the kernel panic
# without a word; every step that can fail powers the machine off with a message instead.
export PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
export HOME=/root LANG=C.UTF-8 TERM=dumb
mount -t proc proc /proc
mount -t sysfs sys /sys
mount -t devtmpfs dev /dev
mkdir -p /dev/pts /dev/shm
mount -t devpts devpts /dev/pts
for d in /tmp /run /dev/shm; do mount -t tmpfs -o mode=1777 tmpfs "$d"; done
ip link set lo up
# The adapter tests make tun devices.
modprobe tun 2>/dev/null
modprobe 9pnet_virtio
modprobe 9p
ninep="trans=virtio,version=9p2000.L,msize=524288"

off() {
    sync
    echo o >/proc/sysrq-trigger
    sleep 60
}

# The job's folder: no caching, so the host reads the output as it is written.
mkdir -p /run/kw
mount -t 9p -o "$ninep" kwjob /run/kw || { echo "kw-guest: no job folder"; off; }
# job.env sets SHARE (the host folder, mounted at the same path), WORKDIR and the array FRESH (folders
# that start empty on the guest's own memory, for Wine prefixes: far faster than over the share).
. /run/kw/job.env
mkdir -p "$SHARE"
mount -t 9p -o "$ninep,cache=loose" kwshare "$SHARE" || { echo "kw-guest: cannot mount $SHARE"; off; }
for d in "${FRESH[@]}"; do
    mkdir -p "$d" && mount -t tmpfs tmpfs "$d"
done
echo "kw-guest: running the job" >/dev/console
cd "$WORKDIR" && bash /run/kw/job.sh </dev/null >/run/kw/output 2>&1
echo $? >/run/kw/status.new
mv /run/kw/status.new /run/kw/status
for d in "${FRESH[@]}"; do umount "$d"; done
umount "$SHARE"
off
