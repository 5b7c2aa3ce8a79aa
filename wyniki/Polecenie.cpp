#include "wyniki/Polecenie.h"

#include <exception>

#include "catalogue/Proaplikacja.h"
#include "catalogue/Raport.h"
#include "wyniki/StronaZestawienia.h"
#include "wyniki/WynikCsv.h"
#include "wyniki/WynikJson.h"
#include "wyniki/Zestawienie.h"
#include "sysinfo/Probieratortesty.h"

namespace pro {
namespace {

WynikPolecenia WykonajZestawienie(const Polecenie& polecenie, const Katalog& katalog,
                                  Platforma& platforma) {
    WynikPolecenia wynik;
    const auto strona = ZbierzStrone(platforma, *polecenie.zestawienie, katalog);
    if (!strona) {
        wynik.bledy = "Nie udało się odczytać folderu: " + *polecenie.zestawienie + "\n";
        wynik.kod = kod_wyjscia::BladZapisu;
        return wynik;
    }
    if (!platforma.ZapiszPlik(*polecenie.html, strona->html)) {
        wynik.bledy = "Nie udało się zapisać pliku: " + *polecenie.html + "\n";
        wynik.kod = kod_wyjscia::BladZapisu;
        return wynik;
    }
    wynik.wyjscie = "Zestawienie: ";
    if (strona->szkoly > 0) wynik.wyjscie += "szkoły: " + std::to_string(strona->szkoly) + ", ";
    wynik.wyjscie += "komputery: " + std::to_string(strona->komputery) +
                     ", pominięte pliki: " + std::to_string(strona->pominiete) +
                     ", strona: " + *polecenie.html + "\n";
    return wynik;
}

}  // namespace

std::array<std::string, 4> PodpisyPodsumowania(const std::string& system,
                                               const std::string& platforma, bool administrator,
                                               const std::string& uac) {
    return {"System operacyjny: " + system, "Platforma: " + platforma,
            std::string("Uprawnienia administratora: ") + (administrator ? "tak" : "nie"),
            "Kontrola konta użytkownika: " + uac};
}

WynikPolecenia WykonajPolecenie(const Polecenie& polecenie, Katalog& katalog,
                                Platforma& platforma) {
    WynikPolecenia wynik;
    if (polecenie.pomoc) {
        wynik.wyjscie = TekstPomocy();
        return wynik;
    }
    if (polecenie.zestawienie) return WykonajZestawienie(polecenie, katalog, platforma);
    WynikKomputera w;
    katalog.KatalogSystemu = platforma.KatalogSystemowy();
    // No program is started without the window (as SYSTEM Office may wait on
    // a dialog nobody sees): Excel's version comes from its registered file.
    katalog.Excel = OdczytExcela::ZRejestru;
    w.wersja = WersjaPliku(platforma, platforma.SciezkaProgramu());
    w.komputer = platforma.NazwaKomputera();
    w.system = NazwaSystemu(platforma);
    w.wersja_systemu = NumerWersjiSystemu(platforma);
    w.typ_produktu = TypProduktu(platforma);
    w.platforma = OpisPlatformy(platforma);
    w.administrator = CzyAdministrator(platforma);
    w.uac = StanUac(platforma);

    DrzewoWyniku drzewo;
    bool przerwane = false;
    for (std::size_t i : polecenie.aplikacje) {
        try {
            katalog.Aplikacje[i].SprawdzAplikacje(drzewo, katalog, platforma);
        } catch (const std::exception& e) {
            // As in the window: the check stops here, what was built stays.
            wynik.bledy += std::string("Błąd: ") + e.what() + "\n";
            przerwane = true;
            break;
        }
    }
    w.czas = platforma.Teraz();
    // The one reading of the tree for the console lines, the JSON and the CSV;
    // the report is the tree's own text, as the window saves it.
    w.aplikacje = AplikacjeWyniku(drzewo);

    bool wszystkie = !przerwane;
    for (const auto& a : w.aplikacje) {
        const bool spelnia = Spelnia(a);
        wszystkie = wszystkie && spelnia;
        if (polecenie.json == std::optional<std::string>("-")) continue;
        wynik.wyjscie += std::string(spelnia ? "tak  " : "nie  ") + a.nazwa;
        if (!spelnia) wynik.wyjscie += "  (brak: " + Brakujace(a) + ")";
        wynik.wyjscie += "\n";
    }
    wynik.kod = wszystkie ? kod_wyjscia::Spelnione : kod_wyjscia::Niespelnione;

    auto nieudany = [&wynik](const std::string& plik) {
        wynik.bledy += "Nie udało się zapisać pliku: " + plik + "\n";
        wynik.kod = kod_wyjscia::BladZapisu;
    };
    if (polecenie.raport) {
        NaglowekRaportu naglowek;
        naglowek.wersja = w.wersja;
        naglowek.data_czas = DataCzasRaportu(platforma, w.czas);
        naglowek.podsumowanie = PodpisyPodsumowania(w.system, w.platforma, w.administrator, w.uac);
        if (!platforma.ZapiszPlik(*polecenie.raport,
                                  BajtyRaportu(TrescRaportu(naglowek, drzewo)))) {
            nieudany(*polecenie.raport);
        }
    }
    if (polecenie.json) {
        const std::string json = WynikJson(w);
        if (*polecenie.json == "-") {
            wynik.wyjscie += json;
        } else if (!platforma.ZapiszPlik(*polecenie.json, json)) {
            nieudany(*polecenie.json);
        }
    }
    if (polecenie.csv && !platforma.DopiszDoPliku(*polecenie.csv, NaglowekCsv, WierszeCsv(w))) {
        nieudany(*polecenie.csv);
    }
    return wynik;
}

}  // namespace pro
