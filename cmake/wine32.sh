#!/bin/bash
# The one place that decides how 32-bit Wine runs on this machine:
#   natywnie  - the kernel runs 32-bit code: the command runs as it is;
#   emulacja  - it does not: in a user namespace of its own, i386 programs are
#               handed to qemu's user-mode emulator through a binfmt_misc
#               instance private to that namespace (Linux 6.7 and later), so
#               nothing changes for the rest of the machine.
# PRO_WINE32=natywnie|emulacja forces the choice; unset, it is detected.
# The decision is exported as PRO_WINE32_TRYB: a command started under it that
# calls this script again runs as it is, so nothing can re-enter the choice.
#
# Usage: wine32.sh COMMAND [ARGS...]
#        wine32.sh --tryb      prints the mode this machine gets
# PRO_WINE_KATALOG (default /usr/lib/wine) is where Wine's loaders are.
set -eu
katalog=${PRO_WINE_KATALOG:-/usr/lib/wine}

tryb() {
    case ${PRO_WINE32:-} in
        natywnie | emulacja) echo "$PRO_WINE32" ;;
        "")
            # Where 32-bit code cannot run, the loader fails at once (Exec format error).
            if timeout 30 "$katalog/wine" --version >/dev/null 2>&1; then
                echo natywnie
            else
                echo emulacja
            fi
            ;;
        *)
            echo "wine32.sh: PRO_WINE32 może być natywnie albo emulacja, nie \"$PRO_WINE32\"" >&2
            return 2
            ;;
    esac
}

if [ "${1:-}" = --tryb ]; then
    tryb
    exit
fi
if [ $# -eq 0 ]; then
    echo "użycie: wine32.sh POLECENIE [ARGUMENTY...] | --tryb" >&2
    exit 2
fi

# Already decided for this command (and set up, where that was needed).
if [ -n "${PRO_WINE32_TRYB:-}" ]; then
    exec "$@"
fi

# Emulation: the first pass makes the namespace and comes back here once,
# marked by PRO_WINE32_NS; the second registers qemu and runs the command.
if [ -z "${PRO_WINE32_NS:-}" ]; then
    wybrany=$(tryb)
    if [ "$wybrany" = natywnie ]; then
        export PRO_WINE32_TRYB=natywnie
        exec "$@"
    fi
    export PRO_WINE32_NS=1
    exec unshare --user --map-root-user --mount --propagation private "$0" "$@"
fi
# PRO_WINE32_NS inherited from outside must not register qemu for the whole
# machine: the initial user namespace maps every id to itself.
if [ "$(awk '{print $1, $2, $3}' /proc/self/uid_map)" = "0 0 4294967295" ]; then
    echo "wine32.sh: PRO_WINE32_NS ustawione poza własną przestrzenią nazw; nie rejestruję qemu" >&2
    exit 1
fi
qemu=/usr/bin/qemu-i386-static
if ! mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc 2>/dev/null; then
    echo "wine32.sh: brak własnego binfmt_misc w przestrzeni nazw użytkownika (potrzebny" \
        "Linux 6.7+): tu nie da się emulować 32-bitowego Wine" >&2
    exit 1
fi
printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$qemu"':F' \
    >/proc/sys/fs/binfmt_misc/register
# qemu 7 crawls through the address space 32-bit Wine reserves unless the
# emulated one is kept just above 2 GiB.
case "$("$qemu" --version | head -n 1)" in
    *"version 7."* | *"version 8.0"*) export QEMU_RESERVED_VA=${QEMU_RESERVED_VA:-0x81000000} ;;
esac
export PRO_WINE32_TRYB=emulacja
exec "$@"
