#!/bin/bash
# Runs a Windows test program under Wine in a prefix of its own.
# Usage: wine-test.sh PREFIX LOADER PROGRAM [ARGS...]
# LOADER is wine64 for x86_64 programs and wine for i686 ones.
# The prefix is booted once, under a lock, and marked ready only when the boot
# has finished; a half-done boot is removed and redone. Wine's services must not
# inherit our stdout (ctest's pipe) or the lock, or every test waits for them.
set -u
# 32-bit programs, and the prefix they run in, go through the emulation
# wrapper when this machine cannot run 32-bit code itself.
if [ "$2" = wine ] && [ -z "${PRO_WINE32_NS:-}" ]; then
    exec "$(dirname "$0")/wine32.sh" "$0" "$@"
fi
prefix=$1
loader=$2
shift 2
# Debian keeps the loaders out of PATH; call them by path.
wine64=/usr/lib/wine/wine64
export WINESERVER=/usr/lib/wine/wineserver64
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
if [ ! -e "$prefix/.gotowy" ]; then
    rm -rf "$prefix"
    "$wine64" wineboot -i </dev/null >/dev/null 2>&1 9>&-
    "$WINESERVER" -w
    # No display: Wine's null graphics driver still creates windows and dialogs.
    "$wine64" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1 9>&-
    "$WINESERVER" -w
    touch "$prefix/.gotowy"
fi
"$WINESERVER" -p30 </dev/null >/dev/null 2>&1 9>&-
"$wine64" cmd /c exit </dev/null >/dev/null 2>&1 9>&-
exec 9>&-
case $loader in
    wine64) exec "$wine64" "$@" ;;
    *) exec /usr/lib/wine/wine "$@" ;;
esac
