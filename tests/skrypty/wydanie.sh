#!/bin/bash
# scripts/wydanie without a certificate and with a throwaway one: the signature
# verifies against that certificate, adds nothing else, the password reaches
# no command line, environment nor output, the release's sums and guide hold,
# and the signed program still checks under Wine.
set -u
zrodla=$(cd "$(dirname "$0")/../.." && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cd "$tmp" || exit 1
bledy=0
blad() { echo "BŁĄD: $*"; bledy=$((bledy + 1)); }
haslo="haslo probne \$$RANDOM"
openssl req -x509 -newkey rsa:2048 -nodes -keyout klucz.pem -out cert.pem -days 2 \
    -subj "/CN=Wydawca probny" -addext extendedKeyUsage=codeSigning 2>/dev/null
haslo=$haslo openssl pkcs12 -export -inkey klucz.pem -in cert.pem -out cert.p12 -passout env:haslo
# osslsigncode as seen by ps and by its environment, recorded on the way.
mkdir bin && printf '#!/bin/sh\n{ echo "$*"; env; } >>"%s"\nexec /usr/bin/osslsigncode "$@"\n' \
    "$tmp/wywolania" >bin/osslsigncode && chmod +x bin/osslsigncode
"$zrodla/scripts/wydanie" "$tmp/bez" >bez.log 2>&1 || { cat bez.log; blad "wydanie bez podpisu"; }
PATH=$tmp/bin:$PATH PRO_CERTYFIKAT=$tmp/cert.p12 PRO_CERTYFIKAT_HASLO=$haslo \
    "$zrodla/scripts/wydanie" "$tmp/pod" >pod.log 2>&1 || { cat pod.log; blad "wydanie z podpisem"; }
grep -q "bez podpisu" bez.log || blad "wydanie bez certyfikatu nie mówi, że jest bez podpisu"
grep -qs "^sign " wywolania || blad "osslsigncode nie podpisywał"
grep -rqsF "$haslo" bez.log pod.log wywolania "$zrodla/build/wydanie/"*.log && blad "hasło widoczne"
podpisany=$(echo pod/probierator-*/probierator.exe) niepodpisany=$(echo bez/probierator-*/probierator.exe)
osslsigncode verify -CAfile cert.pem -in "$podpisany" >weryfikacja.log 2>&1 ||
    { cat weryfikacja.log; blad "podpis nie przechodzi weryfikacji"; }
osslsigncode remove-signature -in "$podpisany" -out bez-podpisu.exe >/dev/null 2>&1
cmp -s bez-podpisu.exe "$niepodpisany" || blad "bez podpisu inny niż wydanie niepodpisane"
(cd pod/probierator-*/ && sha256sum -c --quiet SHA256SUMS) || blad "sha256sum -c"
strony=$(pdfinfo pod/probierator-*/przewodnik-administratora.pdf 2>/dev/null | awk '/^Pages:/ {print $2}')
[ "${strony:-0}" -ge 5 ] || blad "przewodnik ma ${strony:-0} stron"
# Without the window on a bare prefix: the result, and code 1 (.NET is missing).
"$zrodla/cmake/wine-test.sh" "$zrodla/build/wydanie/wine" wine "$podpisany" /aplikacje wszystkie \
    /json - >wynik.json 2>wine.log
kod=$?
[ $kod -eq 1 ] && grep -q '"komponenty"' wynik.json || { cat wine.log; blad "podpisany program pod Wine: kod $kod"; }
echo "wydanie: błędów $bledy"
exit $((bledy > 0))
