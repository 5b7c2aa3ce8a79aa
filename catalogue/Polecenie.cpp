#include "catalogue/Polecenie.h"

#include <algorithm>
#include <cstdio>
#include <exception>

#include "catalogue/Proaplikacja.h"
#include "catalogue/Raport.h"
#include "platform/Tekst.h"
#include "sysinfo/Probieratortesty.h"

namespace pro {
namespace {

std::string Przytnij(const std::string& tekst) {
    const auto od = tekst.find_first_not_of(" \t");
    if (od == std::string::npos) return {};
    return tekst.substr(od, tekst.find_last_not_of(" \t") - od + 1);
}

// The option's name without its "/" or "-", lower case; empty for a value.
std::string NazwaOpcji(const std::string& argument) {
    if (argument.size() < 2 || (argument[0] != '/' && argument[0] != '-')) return {};
    return MaleAscii(argument.substr(1));
}

std::optional<std::string> WybierzAplikacje(const std::string& lista, const Katalog& katalog,
                                            std::vector<std::size_t>& wybrane) {
    if (MaleAscii(Przytnij(lista)) == "wszystkie") {
        for (std::size_t i = 0; i < katalog.Aplikacje.size(); ++i) wybrane.push_back(i);
        return std::nullopt;
    }
    std::size_t od = 0;
    for (;;) {
        const auto przecinek = lista.find(',', od);
        const std::string pozycja = Przytnij(lista.substr(od, przecinek - od));
        if (pozycja.empty()) return "Pusta pozycja na liście aplikacji: \"" + lista + "\".";
        const bool liczba = std::all_of(pozycja.begin(), pozycja.end(),
                                        [](char c) { return c >= '0' && c <= '9'; });
        bool znaleziona = false;
        if (liczba) {
            const long numer = pozycja.size() <= 3 ? std::stol(pozycja) : 0;
            if (numer >= 1 && static_cast<std::size_t>(numer) <= katalog.Aplikacje.size()) {
                wybrane.push_back(static_cast<std::size_t>(numer - 1));
                znaleziona = true;
            }
        } else {
            for (std::size_t i = 0; i < katalog.Aplikacje.size(); ++i) {
                if (MaleAscii(katalog.Aplikacje[i].Kod) == MaleAscii(pozycja)) {
                    wybrane.push_back(i);  // a code two applications share selects both
                    znaleziona = true;
                }
            }
        }
        if (!znaleziona) {
            return liczba ? "Nie ma aplikacji o numerze " + pozycja + " (numery od 1 do " +
                                std::to_string(katalog.Aplikacje.size()) + ")."
                          : "Nie ma aplikacji o kodzie \"" + pozycja + "\".";
        }
        if (przecinek == std::string::npos) break;
        od = przecinek + 1;
    }
    return std::nullopt;
}

std::string JsonTekst(const std::string& tekst) {
    std::string wynik = "\"";
    for (char znak : tekst) {
        const auto z = static_cast<unsigned char>(znak);
        if (znak == '"' || znak == '\\') {
            wynik += '\\';
            wynik += znak;
        } else if (z < 0x20) {
            char kod[8];
            std::snprintf(kod, sizeof kod, "\\u%04x", z);
            wynik += kod;
        } else {
            wynik += znak;
        }
    }
    return wynik + "\"";
}

std::string CzasIso(const CzasLokalny& c) {
    char tekst[40];
    const int strefa = c.strefa_minut < 0 ? -c.strefa_minut : c.strefa_minut;
    std::snprintf(tekst, sizeof tekst, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d", c.rok, c.miesiac,
                  c.dzien, c.godzina, c.minuta, c.sekunda, c.strefa_minut < 0 ? '-' : '+',
                  strefa / 60, strefa % 60);
    return tekst;
}

std::string PoleCsv(const std::string& pole) {
    if (pole.find_first_of(";\"\r\n") == std::string::npos) return pole;
    std::string wynik = "\"";
    for (char znak : pole) {
        if (znak == '"') wynik += '"';
        wynik += znak;
    }
    return wynik + "\"";
}

bool Spelnia(const WezelWyniku& aplikacja) {
    return std::all_of(aplikacja.Dzieci.begin(), aplikacja.Dzieci.end(),
                       [](const auto& d) { return d->Obraz == obraz::Spelnia; });
}

std::string Brakujace(const WezelWyniku& aplikacja) {
    std::string lista;
    for (const auto& d : aplikacja.Dzieci) {
        if (d->Obraz == obraz::Spelnia) continue;
        if (!lista.empty()) lista += ", ";
        lista += d->Komponent != nullptr ? d->Komponent->Nazwa : d->Tekst;
    }
    return lista;
}

struct Kontekst {
    std::string wersja;
    std::string komputer;
    CzasLokalny czas;
    std::string system, platforma, uac;
    bool administrator = false;
};

std::string Json(const Kontekst& k, const DrzewoWyniku& drzewo) {
    std::string j = "{\n";
    j += "  \"wersja_programu\": " + JsonTekst(k.wersja) + ",\n";
    j += "  \"komputer\": " + JsonTekst(k.komputer) + ",\n";
    j += "  \"czas\": " + JsonTekst(CzasIso(k.czas)) + ",\n";
    j += "  \"system\": " + JsonTekst(k.system) + ",\n";
    j += "  \"platforma\": " + JsonTekst(k.platforma) + ",\n";
    j += std::string("  \"administrator\": ") + (k.administrator ? "true" : "false") + ",\n";
    j += "  \"uac\": " + JsonTekst(k.uac) + ",\n";
    j += "  \"aplikacje\": [";
    bool pierwsza = true;
    for (const auto& korzen : drzewo.Korzenie()) {
        j += pierwsza ? "\n" : ",\n";
        pierwsza = false;
        const ProAplikacja* a = korzen->Aplikacja;
        j += "    {\n      \"nazwa\": " + JsonTekst(korzen->Tekst) + ",\n";
        j += "      \"kod\": " + JsonTekst(a != nullptr ? a->Kod : "") + ",\n";
        j += std::string("      \"spelnia_wymagania\": ") + (Spelnia(*korzen) ? "true" : "false") +
             ",\n";
        j += "      \"komponenty\": [";
        bool pierwszy = true;
        for (const auto& d : korzen->Dzieci) {
            j += pierwszy ? "\n" : ",\n";
            pierwszy = false;
            const ProKomponent* c = d->Komponent;
            j += "        {\"nazwa\": " + JsonTekst(c != nullptr ? c->Nazwa : d->Tekst);
            j += ", \"wymagana\": " +
                 std::to_string(a != nullptr && c != nullptr ? a->Wymaganie(c->Id) : 0);
            j += ", \"wykryta\": " + std::to_string(c != nullptr ? c->Wersja : NotDetected);
            j += ", \"tekst\": " + JsonTekst(c != nullptr ? c->WersjaTxt : "");
            j += ", \"status\": " + JsonTekst(StatusKomponentu(*d)) + "}";
        }
        j += pierwszy ? "]\n    }" : "\n      ]\n    }";
    }
    j += pierwsza ? "]\n}\n" : "\n  ]\n}\n";
    return j;
}

std::string WierszeCsv(const Kontekst& k, const DrzewoWyniku& drzewo) {
    std::string wiersze;
    for (const auto& korzen : drzewo.Korzenie()) {
        const ProAplikacja* a = korzen->Aplikacja;
        wiersze += PoleCsv(k.komputer) + ";" + PoleCsv(CzasIso(k.czas)) + ";" +
                   PoleCsv(korzen->Tekst) + ";" + PoleCsv(a != nullptr ? a->Kod : "") + ";" +
                   (Spelnia(*korzen) ? "tak" : "nie") + ";" + PoleCsv(Brakujace(*korzen)) + "\r\n";
    }
    return wiersze;
}

// UTF-8 with a byte-order mark, so that a spreadsheet reads the Polish letters.
const std::string NaglowekCsv = "\xEF\xBB\xBFkomputer;czas;aplikacja;kod;spelnia;brakujace\r\n";

}  // namespace

std::variant<Polecenie, BladPolecenia> ParsujPolecenie(const std::vector<std::string>& argumenty,
                                                       const Katalog& katalog) {
    Polecenie p;
    bool aplikacje = false;
    for (std::size_t i = 0; i < argumenty.size(); ++i) {
        const std::string nazwa = NazwaOpcji(argumenty[i]);
        if (nazwa == "?" || nazwa == "pomoc") {
            p.pomoc = true;
            continue;
        }
        std::optional<std::string>* cel = nullptr;
        if (nazwa == "raport") cel = &p.raport;
        if (nazwa == "json") cel = &p.json;
        if (nazwa == "csv") cel = &p.csv;
        if (cel == nullptr && nazwa != "aplikacje") {
            return BladPolecenia{"Nieznana opcja: \"" + argumenty[i] + "\"."};
        }
        if (i + 1 >= argumenty.size() || argumenty[i + 1].empty() ||
            (argumenty[i + 1] != "-" && !NazwaOpcji(argumenty[i + 1]).empty() &&
             argumenty[i + 1][0] == '/')) {
            return BladPolecenia{"Opcja " + argumenty[i] + " wymaga wartości."};
        }
        const std::string wartosc = argumenty[++i];
        if (cel == nullptr) {
            if (aplikacje) return BladPolecenia{"Opcja /aplikacje podana więcej niż raz."};
            aplikacje = true;
            if (auto blad = WybierzAplikacje(wartosc, katalog, p.aplikacje)) {
                return BladPolecenia{*blad};
            }
            continue;
        }
        if (cel->has_value()) return BladPolecenia{"Opcja /" + nazwa + " podana więcej niż raz."};
        if (wartosc == "-" && cel != &p.json) {
            return BladPolecenia{"Opcja /" + nazwa + " wymaga nazwy pliku."};
        }
        *cel = wartosc;
    }
    if (p.pomoc) return p;
    if (!p.raport && !p.json && !p.csv) {
        return BladPolecenia{"Podaj, dokąd zapisać wynik: /raport, /json lub /csv."};
    }
    if (!aplikacje) {
        for (std::size_t i = 0; i < katalog.Aplikacje.size(); ++i) p.aplikacje.push_back(i);
    }
    std::sort(p.aplikacje.begin(), p.aplikacje.end());
    p.aplikacje.erase(std::unique(p.aplikacje.begin(), p.aplikacje.end()), p.aplikacje.end());
    return p;
}

std::string TekstPomocy() {
    return "Probierator: sprawdza, czy komputer spełnia wymagania aplikacji.\n"
           "\n"
           "Bez opcji program otwiera okno wyboru aplikacji.\n"
           "\n"
           "probierator.exe [/aplikacje LISTA] [/raport PLIK] [/json PLIK|-] [/csv PLIK]\n"
           "\n"
           "  /aplikacje LISTA  które aplikacje sprawdzić: \"wszystkie\" albo lista kodów\n"
           "                    i numerów (od 1) rozdzielonych przecinkami, np. BKT,3,GVT;\n"
           "                    bez tej opcji sprawdzane są wszystkie\n"
           "  /raport PLIK      raport tekstowy (jak z okna programu)\n"
           "  /json PLIK        wynik w formacie JSON (UTF-8); \"-\" wypisuje go na ekran\n"
           "  /csv PLIK         dopisuje wiersz na każdą aplikację (plik może być wspólny\n"
           "                    dla wielu komputerów, np. w udziale sieciowym)\n"
           "  /?                ten opis\n"
           "\n"
           "Opcje można też pisać z \"-\" (np. -json). Z /raport, /json lub /csv program\n"
           "nie otwiera okna ani komunikatów.\n"
           "\n"
           "Kod wyjścia:\n"
           "  0  wszystkie wybrane aplikacje mają spełnione wymagania\n"
           "  1  co najmniej jedna nie ma (także gdy komponentu nie dało się sprawdzić)\n"
           "  2  błędne wywołanie: nic nie sprawdzono ani nie zapisano\n"
           "  3  nie udało się zapisać któregoś pliku wyniku (pozostałe zapisano)\n";
}

std::array<std::string, 4> PodpisyPodsumowania(const std::string& system,
                                               const std::string& platforma, bool administrator,
                                               const std::string& uac) {
    return {"System operacyjny: " + system, "Platforma: " + platforma,
            std::string("Uprawnienia administratora: ") + (administrator ? "tak" : "nie"),
            "Kontrola konta użytkownika: " + uac};
}

const char* StatusKomponentu(const WezelWyniku& wezel) {
    if (wezel.Obraz == obraz::Spelnia) return "spelnia";
    if (wezel.Obraz == obraz::NieSpelnia && wezel.Komponent != nullptr &&
        wezel.Komponent->Wersja != NotDetected) {
        return "nie_spelnia";
    }
    return "nieustalony";
}

WynikPolecenia WykonajPolecenie(const Polecenie& polecenie, Katalog& katalog,
                                Platforma& platforma) {
    WynikPolecenia wynik;
    if (polecenie.pomoc) {
        wynik.wyjscie = TekstPomocy();
        return wynik;
    }
    Kontekst k;
    katalog.KatalogSystemu = platforma.KatalogSystemowy();
    k.wersja = WersjaPliku(platforma, platforma.SciezkaProgramu());
    k.komputer = platforma.NazwaKomputera();
    k.system = NazwaSystemu(platforma);
    k.platforma = OpisPlatformy(platforma);
    k.administrator = CzyAdministrator(platforma);
    k.uac = StanUac(platforma);

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
    k.czas = platforma.Teraz();

    bool wszystkie = !przerwane;
    for (const auto& korzen : drzewo.Korzenie()) {
        const bool spelnia = Spelnia(*korzen);
        wszystkie = wszystkie && spelnia;
        if (polecenie.json == std::optional<std::string>("-")) continue;
        wynik.wyjscie += std::string(spelnia ? "tak  " : "nie  ") + korzen->Tekst;
        if (!spelnia) wynik.wyjscie += "  (brak: " + Brakujace(*korzen) + ")";
        wynik.wyjscie += "\n";
    }
    wynik.kod = wszystkie ? kod_wyjscia::Spelnione : kod_wyjscia::Niespelnione;

    auto nieudany = [&wynik](const std::string& plik) {
        wynik.bledy += "Nie udało się zapisać pliku: " + plik + "\n";
        wynik.kod = kod_wyjscia::BladZapisu;
    };
    if (polecenie.raport) {
        NaglowekRaportu naglowek;
        naglowek.wersja = k.wersja;
        naglowek.data_czas = DataCzasRaportu(platforma, k.czas);
        naglowek.podsumowanie = PodpisyPodsumowania(k.system, k.platforma, k.administrator, k.uac);
        if (!platforma.ZapiszPlik(*polecenie.raport,
                                  BajtyRaportu(TrescRaportu(naglowek, drzewo)))) {
            nieudany(*polecenie.raport);
        }
    }
    if (polecenie.json) {
        const std::string json = Json(k, drzewo);
        if (*polecenie.json == "-") {
            wynik.wyjscie += json;
        } else if (!platforma.ZapiszPlik(*polecenie.json, json)) {
            nieudany(*polecenie.json);
        }
    }
    if (polecenie.csv &&
        !platforma.DopiszDoPliku(*polecenie.csv, NaglowekCsv, WierszeCsv(k, drzewo))) {
        nieudany(*polecenie.csv);
    }
    return wynik;
}

}  // namespace pro
