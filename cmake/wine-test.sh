#!/bin/bash
# Runs a Windows test program under Wine in a prefix of its own.
# Usage: wine-test.sh PREFIX LOADER PROGRAM [ARGS...]
# LOADER is wine64 for x86_64 programs and wine for i686 ones.
# The prefix is booted once, under a lock, and marked ready only when the boot
# has finished; a half-done boot is removed and redone. Wine's services must not
# inherit our stdout (ctest's pipe) or the lock, or every test waits for them.
# Every wait is bounded: the program itself by PRO_LIMIT_WINE seconds (default
# 900). What overruns is ended with `wineserver -k` on this prefix only, and the
# script says so and exits 124.
# PRO_WINE_KATALOG (default /usr/lib/wine) is where Wine's loaders are.
set -u
if [ $# -lt 3 ]; then
    echo "użycie: wine-test.sh PREFIKS wine|wine64 PROGRAM [ARGUMENTY...]" >&2
    exit 2
fi
# 32-bit programs, and the prefix they run in, go through the one place that
# decides how 32-bit Wine runs here; it marks the decision, so this runs once.
if [ "$2" = wine ] && [ -z "${PRO_WINE32_TRYB:-}" ]; then
    exec "$(dirname "$0")/wine32.sh" "$0" "$@"
fi
prefix=$1
loader=$2
shift 2
# A prefix is used one way only: after a native run, 32-bit programs started
# in it through the emulation lost their children (they ended with code 0).
if [ "$loader" = wine ] && [ "${PRO_WINE32_TRYB:-}" = emulacja ]; then
    prefix=$prefix-emulacja
fi
# Debian keeps the loaders out of PATH; call them by path.
katalog=${PRO_WINE_KATALOG:-/usr/lib/wine}
wine64=$katalog/wine64
limit=${PRO_LIMIT_WINE:-900}
export WINESERVER=$katalog/wineserver64
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

# Runs a command for at most $1 seconds; past that ends the prefix's processes.
ograniczone() {
    local sekundy=$1 opis=$2
    shift 2
    timeout -k 5 "$sekundy" "$@"
    local kod=$?
    if [ $kod -eq 124 ] || [ $kod -eq 137 ]; then
        "$WINESERVER" -k </dev/null >/dev/null 2>&1 9>&-
        echo "wine-test.sh: $opis nie zakończył się w ciągu $sekundy s; zakończono procesy prefiksu $prefix" >&2
        exit 124
    fi
    return $kod
}

mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
if ! flock -w 600 9; then
    echo "wine-test.sh: prefiks $prefix zajęty od 600 s przez inny proces" >&2
    exit 124
fi
if [ ! -e "$prefix/.gotowy" ]; then
    rm -rf "$prefix"
    ograniczone 600 "wineboot" "$wine64" wineboot -i </dev/null >/dev/null 2>&1 9>&-
    ograniczone 120 "wineserver -w" "$WINESERVER" -w 9>&-
    # No display: Wine's null graphics driver still creates windows and dialogs.
    ograniczone 120 "reg add" "$wine64" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f \
        </dev/null >/dev/null 2>&1 9>&-
    ograniczone 120 "wineserver -w" "$WINESERVER" -w 9>&-
    touch "$prefix/.gotowy"
fi
"$WINESERVER" -p30 </dev/null >/dev/null 2>&1 9>&-
ograniczone 120 "wine cmd" "$wine64" cmd /c exit </dev/null >/dev/null 2>&1 9>&-
exec 9>&-
case $loader in
    wine64) ograniczone "$limit" "$1" "$wine64" "$@" ;;
    *) ograniczone "$limit" "$1" "$katalog/wine" "$@" ;;
esac
