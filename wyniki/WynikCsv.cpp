#include "wyniki/WynikCsv.h"

#include <string_view>

namespace pro {
namespace {

std::string PoleCsv(std::string pole) {
    // A spreadsheet runs a cell that starts so as a formula (a computer's
    // name may start with "@" or "-"): it is kept as text.
    if (!pole.empty() && std::string_view("=+-@\t\r").find(pole[0]) != std::string_view::npos) {
        pole.insert(0, 1, '\'');
    }
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
