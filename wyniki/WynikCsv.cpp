#include "wyniki/WynikCsv.h"

#include "catalogue/Proaplikacja.h"

namespace pro {
namespace {

std::string PoleCsv(const std::string& pole) {
    if (pole.find_first_of(";\"\r\n") == std::string::npos) return pole;
    std::string wynik = "\"";
    for (char znak : pole) {
        if (znak == '"') wynik += '"';
        wynik += znak;
    }
    return wynik + "\"";
}

}  // namespace

std::string WierszeCsv(const DaneKomputera& k, const DrzewoWyniku& drzewo) {
    std::string wiersze;
    for (const auto& korzen : drzewo.Korzenie()) {
        const ProAplikacja* a = korzen->Aplikacja;
        wiersze += PoleCsv(k.komputer) + ";" + PoleCsv(CzasIso(k.czas)) + ";" +
                   PoleCsv(korzen->Tekst) + ";" + PoleCsv(a != nullptr ? a->Kod : "") + ";" +
                   (Spelnia(*korzen) ? "tak" : "nie") + ";" + PoleCsv(Brakujace(*korzen)) + "\r\n";
    }
    return wiersze;
}

}  // namespace pro
