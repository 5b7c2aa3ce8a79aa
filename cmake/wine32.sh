#!/bin/bash
# Runs a command so that 32-bit Wine works on a machine whose kernel runs no
# 32-bit code: in a user namespace of its own, i386 programs are handed to
# qemu's user-mode emulator through a binfmt_misc instance private to that
# namespace (Linux 6.7 and later), so nothing changes for the rest of the
# machine. Where the kernel runs 32-bit code, the command runs as it is.
# Usage: wine32.sh COMMAND [ARGS...]
set -eu
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    exec "$@"
fi
if [ -z "${PRO_WINE32_NS:-}" ]; then
    export PRO_WINE32_NS=1
    exec unshare --user --map-root-user --mount --propagation private "$0" "$@"
fi
qemu=/usr/bin/qemu-i386-static
mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$qemu"':F' \
    >/proc/sys/fs/binfmt_misc/register
# qemu 7 crawls through the address space 32-bit Wine reserves unless the
# emulated one is kept just above 2 GiB.
case "$("$qemu" --version | head -n 1)" in
    *"version 7."* | *"version 8.0"*) export QEMU_RESERVED_VA=${QEMU_RESERVED_VA:-0x81000000} ;;
esac
exec "$@"
