#include "wyniki/Argumenty.h"

#include <algorithm>

#include "platform/Tekst.h"

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

// The overview reads results and checks nothing: it goes with no option of a check.
std::optional<std::string> SprawdzZestawienie(const Polecenie& p, bool aplikacje) {
    if (!p.zestawienie && !p.html) return std::nullopt;
    if (!p.zestawienie) return "Opcja /html wymaga opcji /zestawienie FOLDER.";
    if (!p.html) return "Opcja /zestawienie wymaga opcji /html PLIK.";
    if (aplikacje || p.raport || p.json || p.csv) {
        return "Opcji /zestawienie nie łączy się z /aplikacje, /raport, /json ani /csv.";
    }
    return std::nullopt;
}

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
        if (nazwa == "zestawienie") cel = &p.zestawienie;
        if (nazwa == "html") cel = &p.html;
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
            return BladPolecenia{"Opcja /" + nazwa + " wymaga nazwy " +
                                 (cel == &p.zestawienie ? "folderu." : "pliku.")};
        }
        *cel = wartosc;
    }
    if (p.pomoc) return p;
    if (auto blad = SprawdzZestawienie(p, aplikacje)) return BladPolecenia{*blad};
    if (p.zestawienie) return p;
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
           "probierator.exe /zestawienie FOLDER /html PLIK\n"
           "\n"
           "  /aplikacje LISTA  które aplikacje sprawdzić: \"wszystkie\" albo lista kodów\n"
           "                    i numerów (od 1) rozdzielonych przecinkami, np. BKT,3,GVT;\n"
           "                    bez tej opcji sprawdzane są wszystkie\n"
           "  /raport PLIK      raport tekstowy (jak z okna programu)\n"
           "  /json PLIK        wynik w formacie JSON (UTF-8); \"-\" wypisuje go na ekran\n"
           "  /csv PLIK         dopisuje wiersz na każdą aplikację (plik może być wspólny\n"
           "                    dla wielu komputerów, np. w udziale sieciowym)\n"
           "  /zestawienie FOLDER  czyta wyniki /json (pliki *.json w folderze, najnowszy\n"
           "                    wynik każdego komputera) i niczego nie sprawdza\n"
           "  /html PLIK        strona zestawienia (razem z /zestawienie)\n"
           "  /?                ten opis\n"
           "\n"
           "Opcje można też pisać z \"-\" (np. -json). Z opcjami program nie otwiera\n"
           "okna ani komunikatów.\n"
           "\n"
           "Kod wyjścia:\n"
           "  0  wszystkie wybrane aplikacje mają spełnione wymagania; przy zestawieniu:\n"
           "     strona zapisana (także gdy któryś plik pominięto)\n"
           "  1  co najmniej jedna nie ma (także gdy komponentu nie dało się sprawdzić)\n"
           "  2  błędne wywołanie: nic nie sprawdzono ani nie zapisano\n"
           "  3  nie udało się zapisać któregoś pliku wyniku (pozostałe zapisano);\n"
           "     przy zestawieniu: nie udało się odczytać folderu albo zapisać strony\n";
}

}  // namespace pro
