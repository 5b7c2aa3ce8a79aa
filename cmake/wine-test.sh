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
# Every process Wine starts inherits the program's standard error (and often
# its output): a COM server, the desktop, a stuck child would keep ctest's pipe
# open after the program's end. So the program writes both to files, printed
# when it has ended, and whatever it started and left running (marked by
# PRO_WINE_TEST in its environment) is then ended by its process id.
# PRO_WINE_BLEDY tells the program where its standard error goes (Wine's own
# log of a child, such as WINEDEBUG=+loaddll, ends up there).
# PRO_WINE_KATALOG (default /usr/lib/wine) is where Wine's loaders are;
# PRO_WINEDEBUG (default -all) Wine's debug channels, for a diagnosis.
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
. "$(dirname "$0")/wine-wspolne.sh"
limit=${PRO_LIMIT_WINE:-900}
ustaw_wine "$prefix"
unset DISPLAY WAYLAND_DISPLAY

przygotuj_prefiks || exit 1
# Its server and first services started before the program, without our
# standard handles.
"$WINESERVER" -p30 </dev/null >/dev/null 2>&1
ograniczone 120 "wine-test.sh: wine cmd" "$wine64" cmd /c exit </dev/null >/dev/null 2>&1

# Ends, by their ids, the processes that carry this run's mark.
zakoncz_pozostawione() {
    local proba pid pozostawione
    for proba in 1 2 3 4 5; do
        pozostawione=()
        for pid in $(grep -lsz "^PRO_WINE_TEST=$znacznik\$" /proc/[0-9]*/environ | cut -d/ -f3); do
            [ "$pid" != $$ ] && pozostawione+=("$pid")
        done
        [ ${#pozostawione[@]} -eq 0 ] && return
        kill -KILL "${pozostawione[@]}" 2>/dev/null
        sleep 0.2
    done
}
znacznik=$$.$RANDOM$RANDOM
wyjscie=$(mktemp) && bledy=$(mktemp) || exit 1
[ "$loader" = wine64 ] && program=$wine64 || program=$wine_katalog/wine
PRO_WINE_TEST=$znacznik PRO_WINE_BLEDY=$bledy \
    timeout -k 5 "$limit" "$program" "$@" >"$wyjscie" 2>"$bledy"
kod=$?
zakoncz_pozostawione
cat "$wyjscie"
cat "$bledy" >&2
cisza=false
[ -s "$wyjscie" ] || [ -s "$bledy" ] || cisza=true
rm -f "$wyjscie" "$bledy"
if [ $kod -eq 124 ] || [ $kod -eq 137 ]; then
    "$WINESERVER" -k </dev/null >/dev/null 2>&1
    echo "wine-test.sh: $1 nie zakończył się w ciągu $limit s; zakończono procesy prefiksu $prefix" >&2
    exit 124
fi
# A program that ended badly without a word (Wine could not start it, or it
# died before its first line) is still told apart from a test that failed.
if [ $kod -ne 0 ] && $cisza; then
    echo "wine-test.sh: $1 zakończył się kodem $kod, nic nie wypisawszy" >&2
fi
exit $kod
