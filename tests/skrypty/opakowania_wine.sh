#!/bin/bash
# Drives cmake/wine-test.sh and cmake/wine32.sh with stub loaders, in the mode
# given (natywnie or emulacja), forced as a user can force it. Each run has a
# bound of a few seconds, so a wrapper that re-enters itself fails here
# instead of hanging. Checks that the program is started exactly once, in the
# forced mode, with its arguments intact and its exit code passed back, and
# that a program that does not end is ended on its own prefix.
set -u
tryb=$1
zrodla=$(cd "$(dirname "$0")/../.." && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
bledy=0
blad() { echo "BŁĄD ($tryb): $*"; bledy=$((bledy + 1)); }

# Stub loaders: wine and wine64 record each program they are asked to run
# (Wine's own wineboot, reg and cmd only succeed); wineserver64 records -k.
mkdir "$tmp/wine"
cat >"$tmp/wine/zaladuj" <<'STUB'
#!/bin/bash
case ${1:-} in wineboot | reg | cmd | --version) exit 0 ;; esac
[ "${1:-}" = spi.exe ] && exec sleep 60
{
    printf 'ladowacz=%s\n' "$(basename "$0")"
    printf 'tryb=%s\n' "${PRO_WINE32_TRYB:-}"
    printf 'ns=%s\n' "$(readlink /proc/self/ns/user)"
    [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ] && echo qemu=zarejestrowany
} >>"$ZAPIS"
printf '%s\0' "$@" >"$ZAPIS.argumenty"
exit 7
STUB
chmod +x "$tmp/wine/zaladuj"
ln -s zaladuj "$tmp/wine/wine"
ln -s zaladuj "$tmp/wine/wine64"
printf '#!/bin/bash\n[ "${1:-}" = -k ] && echo kill >>"$ZAPIS_SERWERA"\nexit 0\n' >"$tmp/wine/wineserver64"
chmod +x "$tmp/wine/wineserver64"
export PRO_WINE32=$tryb PRO_WINE_KATALOG=$tmp/wine ZAPIS_SERWERA=$tmp/serwer
unset PRO_WINE32_TRYB PRO_WINE32_NS

[ "$("$zrodla/cmake/wine32.sh" --tryb)" = "$tryb" ] || blad "--tryb nie podaje wymuszonego trybu"

argumenty=(program.exe "a b" "" '*' 'c"d' $'e\nf' --x)
printf '%s\0' "${argumenty[@]}" >"$tmp/oczekiwane"
ns_zewnatrz=$(readlink /proc/self/ns/user)
for ladowacz in wine wine64; do
    export ZAPIS=$tmp/zapis-$ladowacz
    timeout -k 2 20 "$zrodla/cmake/wine-test.sh" "$tmp/prefiks" "$ladowacz" "${argumenty[@]}" \
        >/dev/null 2>"$tmp/stderr"
    kod=$?
    if [ $kod -eq 124 ] || [ $kod -eq 137 ]; then
        blad "$ladowacz: opakowanie nie skończyło się w 20 s (wchodzi samo w siebie?)"
        continue
    fi
    [ $kod -eq 7 ] || blad "$ladowacz: kod wyjścia $kod zamiast 7 programu: $(cat "$tmp/stderr")"
    [ "$(grep -c '^ladowacz=' "$ZAPIS" 2>/dev/null)" = 1 ] ||
        blad "$ladowacz: program uruchomiony $(grep -c '^ladowacz=' "$ZAPIS" 2>/dev/null || echo 0) razy zamiast raz"
    cmp -s "$ZAPIS.argumenty" "$tmp/oczekiwane" || blad "$ladowacz: argumenty zmienione"
    grep -qx "ladowacz=$ladowacz" "$ZAPIS" || blad "$ladowacz: użyto innego ładowacza"
    [ "$ladowacz" = wine ] || continue
    grep -qx "tryb=$tryb" "$ZAPIS" || blad "wine: program nie wie o trybie $tryb"
    if [ "$tryb" = emulacja ]; then
        grep -Fqx "ns=$ns_zewnatrz" "$ZAPIS" && blad "emulacja: program poza własną przestrzenią nazw"
        grep -qx qemu=zarejestrowany "$ZAPIS" || blad "emulacja: qemu nie zarejestrowany w binfmt_misc"
    else
        grep -Fqx "ns=$ns_zewnatrz" "$ZAPIS" || blad "natywnie: program w innej przestrzeni nazw"
    fi
done

# The namespace's mark inherited from outside: refused, nothing registered.
if [ "$tryb" = emulacja ]; then
    export ZAPIS=$tmp/zapis-znacznik
    PRO_WINE32_NS=1 timeout -k 2 20 "$zrodla/cmake/wine32.sh" "$tmp/wine/wine" program.exe \
        >/dev/null 2>"$tmp/stderr"
    kod=$?
    [ $kod -eq 1 ] || blad "PRO_WINE32_NS z zewnątrz: kod $kod zamiast 1"
    [ -e "$ZAPIS" ] && blad "PRO_WINE32_NS z zewnątrz: program uruchomiony"
fi

# A program that does not end: ended after the bound, on this prefix.
export ZAPIS=$tmp/zapis-spi
poczatek=$SECONDS
PRO_LIMIT_WINE=2 timeout -k 2 20 "$zrodla/cmake/wine-test.sh" "$tmp/prefiks" wine spi.exe \
    >/dev/null 2>"$tmp/stderr"
kod=$?
[ $kod -eq 124 ] || blad "zawieszony program: kod $kod zamiast 124"
[ $((SECONDS - poczatek)) -lt 15 ] || blad "zawieszony program zakończony dopiero po $((SECONDS - poczatek)) s"
grep -q kill "$tmp/serwer" 2>/dev/null || blad "zawieszony program: nie wywołano wineserver -k"
grep -q 'nie zakończył się' "$tmp/stderr" || blad "zawieszony program: brak komunikatu"

echo "$tryb: $((bledy == 0 ? 1 : 0)) passed, $((bledy == 0 ? 0 : 1)) failed"
[ $bledy -eq 0 ]
