#!/bin/bash
# scripts/instaluj with a stub apt-get that fails the first install as apt does
# when a mirror left one suite's i386 index out: the script must install again
# with the release's own versions and end 0.
set -u
zrodla=$(cd "$(dirname "$0")/../.." && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
printf '#!/bin/sh\nexit 1\n' >"$tmp/dpkg-query"
printf '#!/bin/sh\nexit 0\n' >"$tmp/id"
printf '#!/bin/sh\necho i386\n' >"$tmp/dpkg"
cat >"$tmp/apt-get" <<'STUB'
#!/bin/bash
echo "$*" >>"$ZAPIS"
case " $* " in
*" update "*) echo "E: Failed to fetch http://lustro/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size" >&2; exit 100 ;;
*Default-Release*) exit 0 ;;
*) echo "E: Unable to correct problems, you have held broken packages." >&2; exit 100 ;;
esac
STUB
chmod +x "$tmp"/*
export ZAPIS=$tmp/zapis
wydanie=$(. /etc/os-release && echo "$VERSION_CODENAME")
PATH=$tmp:$PATH timeout 60 "$zrodla/scripts/instaluj" >"$tmp/wyjscie" 2>&1
kod=$?
bledy=0
[ $kod -eq 0 ] || { echo "BŁĄD: kod $kod"; cat "$tmp/wyjscie"; bledy=1; }
[ "$(grep -c ' install ' "$ZAPIS")" = 2 ] || { echo "BŁĄD: nie dwie instalacje"; bledy=1; }
tail -n 1 "$ZAPIS" | grep -q -- "APT::Default-Release=$wydanie .*wine32:i386" ||
    { echo "BŁĄD: druga instalacja bez wydania $wydanie"; bledy=1; }
grep -q 'binary-i386/Packages.xz' "$tmp/wyjscie" || { echo "BŁĄD: brak nazwy indeksu"; bledy=1; }
echo "instaluj: $((1 - bledy)) passed, $bledy failed"
exit $bledy
