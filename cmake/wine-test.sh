#!/bin/bash
# Runs a Windows test program under Wine in a prefix of its own.
# Usage: wine-test.sh PREFIX PROGRAM [ARGS...]
# The prefix is booted once, under a lock, and marked ready only when the boot
# has finished; a half-done boot is removed and redone. Wine's services must not
# inherit our stdout (ctest's pipe) or the lock, or every test waits for them.
set -u
prefix=$1
shift
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
if [ ! -e "$prefix/.gotowy" ]; then
    rm -rf "$prefix"
    wineboot -i </dev/null >/dev/null 2>&1 9>&-
    wineserver -w
    # No display: Wine's null graphics driver still creates windows and dialogs.
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1 9>&-
    wineserver -w
    touch "$prefix/.gotowy"
fi
wineserver -p30 </dev/null >/dev/null 2>&1 9>&-
wine cmd /c exit </dev/null >/dev/null 2>&1 9>&-
exec 9>&-
exec wine "$@"
