#include "wyniki/WynikCsv.h"

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

std::string WierszeCsv(const WynikKomputera& w) {
    std::string wiersze;
    for (const auto& a : w.aplikacje) {
        wiersze += PoleCsv(w.komputer) + ";" + PoleCsv(CzasIso(w.czas)) + ";" + PoleCsv(a.nazwa) +
                   ";" + PoleCsv(a.kod) + ";" + (Spelnia(a) ? "tak" : "nie") + ";" +
                   PoleCsv(Brakujace(a)) + "\r\n";
    }
    return wiersze;
}

}  // namespace pro
