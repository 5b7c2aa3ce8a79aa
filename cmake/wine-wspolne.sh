# Sourced by the scripts that run Wine (cmake/wine-test.sh, scripts/run,
# scripts/screenshot, scripts/test, scripts/bench, scripts/bench-zestawienie):
# what they share, so that each bound, setting and lock is written once.
# PRO_WINE_KATALOG (default /usr/lib/wine) is where Wine's loaders are;
# Debian keeps them out of PATH, so they are called by path.

wine_katalog=${PRO_WINE_KATALOG:-/usr/lib/wine}
wine64=$wine_katalog/wine64
wine_skrypty=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Decides once how 32-bit Wine runs on this machine (cmake/wine32.sh;
# PRO_WINE32=natywnie|emulacja forces it) and hands it down as PRO_WINE32.
wybierz_wine32() {
    PRO_WINE32=$("$wine_skrypty/wine32.sh" --tryb) || exit 1
    export PRO_WINE32
}

# The build a window is shown from: the product where 32-bit code runs, the
# 64-bit build where it would be emulated. Sets `preset` and `ladowacz`.
wybierz_build_okien() {
    if [ "$PRO_WINE32" = natywnie ]; then
        preset=windows-i686 ladowacz=wine
    else
        preset=windows-x64 ladowacz=wine64
    fi
}

# Wine's settings for the prefix $1: its server, no Mono or Gecko prompts,
# its debug channels from PRO_WINEDEBUG (default none).
ustaw_wine() {
    export WINEPREFIX=$1 WINEARCH=win64 WINESERVER=$wine_katalog/wineserver64
    export WINEDEBUG=${PRO_WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
}

# Runs a command for at most $1 seconds ($2 says what it does); past that the
# prefix's processes are ended (wineserver -k on this prefix only), the script
# says so and exits 124. Otherwise returns the command's exit code.
ograniczone() {
    local sekundy=$1 opis=$2
    shift 2
    timeout -k 5 "$sekundy" "$@"
    local kod=$?
    if [ $kod -eq 124 ] || [ $kod -eq 137 ]; then
        "$WINESERVER" -k </dev/null >/dev/null 2>&1 9>&-
        echo "$opis: nie zakończono w ciągu $sekundy s; zakończono procesy prefiksu $WINEPREFIX." >&2
        exit 124
    fi
    return $kod
}

# Boots the prefix once: under its lock (another boot of it is waited for at
# most 600 s), within one bound of 600 s, with Wine's null graphics driver
# (windows and dialogs work without a display), and marks it ready only when
# its server has finished; a half-done boot is removed and redone. Wine's
# services get neither our standard handles nor the lock, or whoever reads
# our output (ctest's pipe) and the next boot would wait for them. The words
# given (cmake/wine32.sh) go before each Wine command. Returns non-zero when
# the boot failed.
przygotuj_prefiks() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    exec 9>"$WINEPREFIX.lock"
    if ! flock -w 600 9; then
        echo "Prefiks Wine $WINEPREFIX zajęty od 600 s przez inny proces." >&2
        exit 124
    fi
    local kod=0
    if [ ! -e "$WINEPREFIX/.gotowy" ]; then
        rm -rf "$WINEPREFIX"
        ograniczone 600 "Przygotowanie prefiksu Wine" "$@" sh -c \
            '"$1" wineboot -i && "$WINESERVER" -w &&
             "$1" reg add "HKCU\Software\Wine\Drivers" /v Graphics /d null /f &&
             "$WINESERVER" -w' sh "$wine64" </dev/null >/dev/null 2>&1 9>&-
        kod=$?
        if [ $kod -eq 0 ]; then
            touch "$WINEPREFIX/.gotowy"
        else
            echo "Nie udało się przygotować prefiksu Wine $WINEPREFIX." >&2
        fi
    fi
    exec 9>&-
    return $kod
}

# Sets the graphics driver ($1: x11 or null) for what starts next in the
# prefix. The desktop process that a Wine command starts keeps the driver set
# when it started, and every later program of the prefix shows its windows
# through it; the reg command that changes the setting starts one itself
# (with the old driver), so after a change the prefix's processes are waited
# for to end before anything else starts. Without a change nothing is run:
# the setting is read from the registry file Wine saved when its server
# ended, which every change waits for. The words given (cmake/wine32.sh) go
# before each Wine command.
sterownik_grafiki() {
    local sterownik=$1 teraz=x11
    shift
    awk '/^\[Software\\\\Wine\\\\Drivers\]/ {s = 1; next} /^\[/ {s = 0}
         s && /^"Graphics"="null"/ {n = 1} END {exit !n}' "$WINEPREFIX/user.reg" 2>/dev/null &&
        teraz=null
    [ "$teraz" = "$sterownik" ] && return 0
    local zmiana=(reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f)
    [ "$sterownik" = null ] && zmiana=(reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f)
    ograniczone 120 "Ustawienie sterownika grafiki ($sterownik)" "$@" sh -c \
        '"$0" "$@"; "$WINESERVER" -w' "$wine64" "${zmiana[@]}" </dev/null >/dev/null 2>&1 9>&-
}

# Runs a command in the test prefix of build/$1 through cmake/wine-test.sh
# with the loader $2, from that folder (its programs by name), for at most
# $3 seconds.
w_prefiksie_testow() {
    local preset=$1 ladowacz=$2 sekundy=$3
    shift 3
    (cd "$wine_skrypty/../build/$preset" &&
        timeout -k 10 "$sekundy" "$wine_skrypty/wine-test.sh" "$PWD/wine" "$ladowacz" "$@")
}
